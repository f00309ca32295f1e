// The main window of prtbench (CKALDRODlg): port controls, sending, timers and
// notices. Its sends run on a send queue of their own so the window never
// waits for a printer; split over MainDialog.cpp (start, commands, language,
// shutdown), MainPorts.cpp (port controls, USB notices, timers),
// MainSending.cpp (Print, HEX, automatic sending, fixed commands),
// MainTools.cpp (network tools, serial number, firmware updater, About) and
// MainFiles.cpp (file commands, dropped files, Select all).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "common/Pause.h"
#include "prtbench/app/win/Context.h"
#include "prtbench/app/win/StatusLine.h"
#include "prtbench/console/AutoSender.h"
#include "prtbench/console/Content.h"
#include "prtbench/console/Encoding.h"
#include "prtbench/console/win/DropEdit.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SettingsStore.h"
#include "prtbench/nettools/AdapterMove.h"
#include "winui/Dialog.h"
#include "winui/Launcher.h"
#include "winui/Prompts.h"

namespace prtbench {

// What the main window works with; all outlive it.
struct MainWindowServices {
  PrinterLink& link;
  SettingsStore& settings;  // Printer.ini beside the program
  winui::Prompts& prompts;
  winui::Launcher& launcher;
  // Shuts Winsock down as the window goes; empty when the caller owns it.
  std::function<void()> shutDownNetwork;
  // The computer's own address (the local host name's first IPv4 address),
  // asked on the window's thread and the send queue's; empty: LocalIpv4.
  std::function<Ipv4()> localIpv4;
  // A configurator of this computer's network adapter for one new-address
  // run, made and used on the send queue's thread; empty: WMI.
  std::function<std::unique_ptr<AdapterConfigurator>()> adapters;
  // What the window's jobs and its dialogs' pause by; null: real sleeps.
  kit::Clock* clock = nullptr;
};

// The window hands its dialogs `context()`; its jobs run on its own send queue.
class CKALDRODlg : public winui::Dialog, private JobQueue {
 public:
  explicit CKALDRODlg(const MainWindowServices& services);
  ~CKALDRODlg() override;

  Context& context() { return context_; }
  // True while sends of this window are queued or running, or automatic
  // sending runs.
  bool Busy() const;

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // Enter in an edit box must not end the program: File > Exit and closing
  // the window do.
  void OnOk() override {}
  // Esc and the close box: not while edits of the current file would be lost.
  void OnCancel() override {
    if (MayClose()) Dialog::OnCancel();
  }
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnDeviceChange(WPARAM event, LPARAM data) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  // MainDialog.cpp: start-up steps, data exchange, language, shutdown
  void FillLists();
  void AddAboutToSystemMenu();
  void SetIcons();
  void LoadSettingsFile();
  void RegisterUsbNotices();
  void PreparePictures();
  void AddTabs();
  // Controls into fields. With `validate` a repetitions or period text that
  // is no number in range shows the framework's message and gives false.
  bool ReadWindow(bool validate = true);
  bool ReadNumbers(bool validate);
  void ShowValues();
  void ShowListName(int id, const std::string& name);
  void SetLanguage(Language language);
  void LoadLanguageMenu();
  void SaveSettingsFile();
  // The first write to Printer.ini failed: the user hears it once.
  void OnSettingsNotWritten();
  void EnforceCaption();
  bool OnSetCursor(HWND over);
  std::string Text(Msg id) const;

  // MainPorts.cpp: port type, lists, enable rules, USB notices, timers
  void OnPortType();
  void OnPrinterType();
  void OnComName();
  void OnLptName();
  void OnBaudRate();
  void OnFlowControl();
  void OnComSettings();
  void ApplyEnableRules(int portType);
  void OnUsbArrival();
  void OnUsbRemoval();
  void StartIdleClose();
  void OnIdleClose();
  void OnClock();
  void SetStatusLine(const std::string& text);
  void RememberPrinterIp();

  // MainSending.cpp: Print, HEX, automatic sending, fixed commands, Clear
  void OnPrint();
  void SendContent(const std::string& text);
  void OnHexToggle();
  void OnAutoSend();
  void StartAutoSend(Bytes buffer, unsigned periodMs);
  void OnAutoSendEnded();
  void OnCutPaperSwitch();
  void OnCutPaper();
  void OnCashDrawer();
  void OnSelfTest();
  void OnClear();
  void OnRepetitionsStep(int delta);
  void ShowContentError(ContentError error);

  // MainTools.cpp: network tools, serial number, firmware updater, About, Help
  void OnRefreshLocalIp();
  void OnConnectionTest();
  void OnConnectionTested(bool connected);
  void OnSetPrinterAddress();
  // On the send queue: this computer's adapter moved into the printer's
  // subnet, the command sent, the adapter put back.
  void SetPrinterAddressFromItsSubnet(Ipv4 printerIp, Ipv4 newIp, winui::WindowLink& window,
                                      const SendQueue::Cancelled& cancelled);
  // What the adapter did besides the send, reported once it is back.
  void OnAdapterMoved(const AdapterMoveOutcome& outcome);
  void OnPrinterAddressSet(int result, Ipv4 newIp, bool adapterMoved);
  void ReportAdapterFailure(Msg message, const AdapterFailure& failure);
  void OnSetPrinterId();
  void OnPing();
  void OnWriteSerialNumber();
  void OnStartFirmwareUpdater();
  void OnHelp();
  // Status text, message box, then the status line.
  void Report(const std::string& text);

  // MainFiles.cpp: New, Open, Save, Save As, Close, Select all, dropped files
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave(bool askForPath);
  void OnFileClose();
  void OnSelectAll();
  void OnContentDropped(const std::string& path);
  // The file's text, or nothing after a message box saying why not.
  std::optional<FileContent> ReadContentFile(const std::string& path);
  // Writes the box's text to `path`; false after a message box.
  bool WriteContent(const std::string& path);
  // `path`, opened in `encoding`, is the file Save writes; the box's text
  // is its text as saved.
  void MakeCurrent(const std::string& path, TextEncoding encoding);
  void ForgetCurrentFile();
  // Before the window closes: true when nothing is lost by closing, after
  // asking whether to save edits of the current file (Cancel: false).
  bool MayClose();
  // Save and Close in the menu name the current file, if there is one.
  void TitleFileItems();
  // JobQueue: the window's sends, behind those asked for before
  void Post(SendQueue::Job job) override;

  PrinterLink& link_;
  SharedState& shared_;
  NoticingSettingsStore settings_;  // the given store, its first failed write told
  winui::Prompts& prompts_;
  std::function<void()> shutDownNetwork_;
  std::function<Ipv4()> localIpv4_;
  std::function<std::unique_ptr<AdapterConfigurator>()> adapters_;
  kit::SleepingClock sleepingClock_;
  kit::Clock& clock_;
  StatusLine status_;
  Context context_;
  static constexpr int kMaxPeriodMs = 65535;
  static constexpr UINT_PTR kIdleCloseTimer = 1;
  static constexpr unsigned kIdleCloseMs = 5000;
  static constexpr UINT_PTR kClockTimer = 2;

  // the window's fields, exchanged with the controls by ReadWindow/ShowValues
  int portRadio_ = kPortNet;
  int printerRadio_ = 2;
  std::string content_;
  bool hex_ = false;
  HexViewEntry hexEntry_;  // what the HEX view was last entered with
  std::string lptName_ = "LPT1";
  std::string comName_ = "COM1";
  Ipv4 localIp_ = 0, printerIp_ = 0, newIp_ = 0, newId_ = 0;
  int repetitions_ = 1;
  bool autoSend_ = false;
  unsigned periodMs_ = 500;  // 1..kMaxPeriodMs
  bool numbering_ = false;
  bool timeStamp_ = false;
  std::string dateText_ = "2016.12.31-13:13:59";
  bool increment_ = true;
  std::string serial_;
  bool firstPrint_ = true;
  uint8_t cutMode_ = 1;
  bool cutPaperSwitch_ = false;
  std::string currentFile_;  // UTF-8; set by Open and a drop, cleared by Close, New, a language
  TextEncoding fileEncoding_ = TextEncoding::Ansi;
  std::string savedText_;  // the current file's text as last opened or saved
  CDropEdit contentBox_;

  // the Printer IP box as the link reads it from any thread
  std::atomic<Ipv4> printerIpCopy_{0};
  // automatic sending asked for while the previous run was still ending
  struct PendingAutoSend {
    Bytes buffer;
    unsigned periodMs = 0;
  };
  std::unique_ptr<PendingAutoSend> pendingAutoSend_;

  HMENU menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HDEVNOTIFY usbNotices_ = nullptr;
  HFONT titleFont_ = nullptr;
  HBITMAP framePattern_ = nullptr;
  HBRUSH frameBrush_ = nullptr;

  AutoSender autoSender_;
  // last member: its worker ends before the rest goes; a job that throws
  // ends with a message instead of ending the program
  SendQueue queue_{[this] { status_.Show(Msg::JobFailed); }};
};

}  // namespace prtbench
