// The main window of prtbench (CKALDRODlg). It owns its parts, each in its
// own file: ports (MainPorts), sending (MainSending), files (MainFiles) and
// tools (MainTools); it keeps the start-up, the command switch, the exchange
// of its fields with the controls, the language, the clock and the shutdown.
// Its sends run on a send queue of their own so the window never waits for a
// printer.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "common/Pause.h"
#include "prtbench/app/win/Context.h"
#include "prtbench/app/win/StatusLine.h"
#include "prtbench/config/BlackMark.h"
#include "prtbench/console/win/MainFiles.h"
#include "prtbench/console/win/MainPorts.h"
#include "prtbench/console/win/MainSending.h"
#include "prtbench/console/win/MainTools.h"
#include "prtbench/console/win/MainWindow.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SettingsStore.h"
#include "prtbench/nettools/win/NetMonitorDialog.h"
#include "prtbench/nettools/win/WinsockDatagrams.h"
#include "winui/Dialog.h"
#include "winui/Launcher.h"
#include "winui/Prompts.h"

namespace prtbench {

// What the main window works with, as the program assembles it; all outlive
// the window.
struct MainWindowServices {
  PrinterLink& link;
  SharedSocket& socket;
  MonitorConnection& monitor;
  StatusLine& status;  // the line, language and counter the window shows
  SettingsStore& settings;  // Printer.ini beside the program
  winui::Prompts& prompts;
  winui::Launcher& launcher;
  // Shuts Winsock down as the window goes; empty when the caller owns it.
  std::function<void()> shutDownNetwork;
  LocalAddressSource localIpv4;
  AdapterSource adapters;
  // What the window's jobs and its dialogs pause by.
  kit::Clock& clock;
};

// The window hands its dialogs `context()`; its jobs run on its own send queue.
class CKALDRODlg : public winui::Dialog, private MainWindow {
 public:
  explicit CKALDRODlg(const MainWindowServices& services);
  ~CKALDRODlg() override;

  using winui::Dialog::hwnd;
  using winui::Dialog::Text;
  Context& context() override { return context_; }
  // True while the start's own jobs wait for the window to show, sends of
  // this window are queued or running, or automatic sending runs.
  bool Busy() const;

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // Enter in an edit box must not end the program: File > Exit and closing
  // the window do.
  void OnOk() override {}
  // Esc and the close box: not while edits of the current file would be lost.
  void OnCancel() override {
    if (files_.MayClose()) Dialog::OnCancel();
  }
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnDeviceChange(WPARAM event, LPARAM data) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  using MainWindow::Text;

  // MainWindow: what the parts reach
  winui::Dialog& dialog() override { return *this; }
  MainFields& fields() override { return fields_; }
  bool ReadWindow(bool validate) override;
  void ShowValues() override;
  void RememberPrinterIp() override;
  void SetStatusLine(const std::string& text) override;
  void EnforceCaption() override;
  // JobQueue: the window's sends, behind those asked for before
  void Post(SendQueue::Job job) override;

  // start-up steps
  void FillLists();
  void AddAboutToSystemMenu();
  void LoadSettingsFile();
  void PreparePictures();
  void AddTabs();

  bool ReadNumbers(bool validate);
  void ShowListName(int id, const std::string& name);
  void SetLanguage(Language language);
  void LoadLanguageMenu();
  void SaveSettingsFile();
  // The first write to Printer.ini failed: the user hears it once.
  void OnSettingsNotWritten();
  void OnClock();
  bool OnSetCursor(HWND over);
  // Opens the USB printer and asks for the computer's address on the send
  // queue, once, ahead of any send.
  void PostStartJobs();

  static constexpr UINT_PTR kClockTimer = 2;
  static constexpr UINT_PTR kStartJobsTimer = 3;

  PrinterLink& link_;
  NoticingSettingsStore settings_;  // the given store, its first failed write told
  std::function<void()> shutDownNetwork_;
  StatusLine& status_;
  Context context_;
  // what the window's dialogs share for the run: H of the black mark
  // dialogs, the search's sockets (they outlive the queue that sends on
  // them) and the one status monitor
  BlackMarkH blackMarkH_;
  WinsockDatagramSockets datagrams_;
  NetMonitorHost netMonitor_{context_};

  MainFields fields_;
  // the Printer IP box as the link reads it from any thread
  std::atomic<Ipv4> printerIpCopy_{0};

  bool startJobsPosted_ = false;
  HACCEL accelerators_ = nullptr;
  HBITMAP framePattern_ = nullptr;
  HBRUSH frameBrush_ = nullptr;

  MainPorts ports_{*this};
  MainSending sending_{*this, ports_};
  MainFiles files_{*this};
  MainTools tools_;
  // last member: its worker ends before the rest goes; a job that throws
  // ends with a message instead of ending the program
  SendQueue queue_{[this] { status_.Show(Msg::JobFailed); }};
};

}  // namespace prtbench
