// The main window as its parts (ports, sending, files, tools) reach it: the
// fields its controls hold, the context its dialogs get, and the send queue
// every printer job goes through. CKALDRODlg is the one implementation.
#pragma once

#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/Ipv4.h"
#include "winui/Dialog.h"

namespace prtbench {

// What the window's controls hold, as ReadWindow and ShowValues exchange it.
struct MainFields {
  static constexpr int kMaxPeriodMs = 65535;

  int portRadio = kPortNet;
  int printerRadio = 2;
  std::string content;
  bool hex = false;
  std::string lptName = "LPT1";
  std::string comName = "COM1";
  Ipv4 localIp = 0, printerIp = 0, newIp = 0, newId = 0;
  int repetitions = 1;
  bool autoSend = false;
  unsigned periodMs = 500;  // 1..kMaxPeriodMs
  bool numbering = false;
  bool timeStamp = false;
  std::string dateText = "2016.12.31-13:13:59";
  bool increment = true;
  std::string serial;
};

class MainWindow : public JobQueue {
 public:
  // The dialog whose controls the parts read and set.
  virtual winui::Dialog& dialog() = 0;
  virtual Context& context() = 0;
  virtual MainFields& fields() = 0;
  // Controls into fields(). With `validate`, a repetitions or period text
  // that is no number in range shows the framework's message and gives false.
  virtual bool ReadWindow(bool validate) = 0;
  // fields() into the controls.
  virtual void ShowValues() = 0;
  // The Printer IP box as it is now becomes the address NET sends use.
  virtual void RememberPrinterIp() = 0;
  virtual void SetStatusLine(const std::string& text) = 0;
  // The caption as the product gives it, whatever renamed the window.
  virtual void EnforceCaption() = 0;

  std::string Text(Msg id) { return std::string(context().Text(id)); }
  HWND hwnd() { return dialog().hwnd(); }
  winui::Prompts& prompts() { return context().prompts(); }
  // Status text, message box, then the status line.
  void Report(const std::string& text);
};

}  // namespace prtbench
