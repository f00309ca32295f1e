// The updater's only window: transport and port choice, the firmware file by
// open-file dialog or drop, the start of the upgrade, its progress and outcome.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "fwflash/Transport.h"
#include "fwflash/win/PortLayer.h"
#include "fwflash/win/UpgradeThread.h"
#include "winui/Dialog.h"
#include "winui/Prompts.h"

namespace fwflash {

class CLumaqFwflashDlg : public winui::Dialog {
 public:
  // `programPath` is the program's own file, whose name may add an accepted
  // USB vendor (slot 0 of the table in `ports`).
  CLumaqFwflashDlg(PortLayer& ports, winui::Prompts& prompts, std::u16string programPath);
  // Ends the upgrade's wait for replies and joins its worker.
  ~CLumaqFwflashDlg() override;

  // Enables or disables together every input control, the hidden ones too.
  void EnableControls(bool enable);
  bool upgradeRunning() const { return upgradeRunning_; }

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  void OnOk() override {}  // Enter in the window starts nothing
  // Esc, the close box and Alt+F4: refused while an upgrade runs.
  void OnCancel() override;
  void OnDropFiles(HDROP drop) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillLists();
  void OnTransportChoice();
  void OnBrowse();
  void OnStart();
  void OnUpgradeDone(UpgradeResult result);
  // Takes `path` as the firmware when it is valid; otherwise says so.
  void AcceptFile(const std::wstring& path);
  void Refuse(std::string_view message);
  PortSelection Selection() const;
  bool PaintIconic();

  PortLayer& ports_;
  winui::Prompts& prompts_;
  std::u16string programPath_;
  int transport_ = 0;
  std::wstring path_;
  bool upgradeRunning_ = false;
  std::thread worker_;
  HICON icon_ = nullptr;
};

// Runs the updater window modally over `owner` (none: the desktop) until it
// closes; an upgrade still running then is ended and joined first.
void ShowFwflashDialog(HWND owner, PortLayer& ports, winui::Prompts& prompts, std::u16string programPath);

}  // namespace fwflash
