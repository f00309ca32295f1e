// The main window's sending part: Print, the HEX view, automatic sending, the
// fixed test commands, Clear and the repetitions arrows. Checks and message
// boxes happen at once; the bytes go out on the send queue, in order, and
// automatic sending on its own thread.
#pragma once

#include <memory>
#include <string>

#include "prtbench/console/AutoSender.h"
#include "prtbench/console/Content.h"
#include "prtbench/console/Encoding.h"
#include "prtbench/console/win/MainPorts.h"
#include "prtbench/console/win/MainWindow.h"

namespace prtbench {

class MainSending {
 public:
  MainSending(MainWindow& window, MainPorts& ports) : window_(window), ports_(ports) {}
  ~MainSending() { StopAndWait(); }
  MainSending(const MainSending&) = delete;
  MainSending& operator=(const MainSending&) = delete;

  void OnPrint();
  void OnHexToggle();
  void OnAutoSend();
  void OnCutPaperSwitch();
  void OnCutPaper();
  void OnCashDrawer();
  void OnSelfTest();
  void OnClear();
  void OnRepetitionsStep(int delta);

  // True while automatic sending runs.
  bool Running() const { return autoSender_.Running(); }
  // Automatic sending ends, its write in flight cut short by the link.
  void StopAndWait() { autoSender_.StopAndWait(); }

 private:
  void SendContent(const std::string& text);
  void StartAutoSend(Bytes buffer, unsigned periodMs);
  void OnAutoSendEnded();
  void ShowContentError(ContentError error);

  MainWindow& window_;
  MainPorts& ports_;
  bool firstPrint_ = true;
  uint8_t cutMode_ = 1;
  bool cutPaperSwitch_ = false;
  HexViewEntry hexEntry_;  // what the HEX view was last entered with
  // automatic sending asked for while the previous run was still ending
  struct PendingAutoSend {
    Bytes buffer;
    unsigned periodMs = 0;
  };
  std::unique_ptr<PendingAutoSend> pendingAutoSend_;
  AutoSender autoSender_;
};

}  // namespace prtbench
