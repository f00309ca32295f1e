// ConfingDialog: reads the user's choices, installs the printer through
// PrinterInstaller and asks what follows; Check USB Port lists the ports.
#include "drvsetup/win/ConfingDialog.h"

#include <optional>

#include "drvsetup/Drivers.h"
#include "drvsetup/Texts.h"
#include "drvsetup/Windows.h"
#include "drvsetup/res/resource.h"
#include "drvsetup/win/Installer.h"
#include "drvsetup/win/SecretNote.h"
#include "drvsetup/win/VirtualComInstall.h"
#include "winui/Dialog.h"

namespace drvsetup {
namespace {

constexpr UINT_PTR kReenableTimer = 1;
constexpr UINT_PTR kWatchInstallerTimer = 2;
constexpr UINT_PTR kCheckUsbTimer = 3;
constexpr unsigned kReenableAfter = 5000;
constexpr unsigned kWatchPeriod = 500;
constexpr unsigned kCheckUsbRearm = 2000;
constexpr int kPrinterDriverType = 1;
constexpr int kUsbInterface = 0;
constexpr COLORREF kRemarksColour = RGB(180, 40, 40);

class ConfingDialog : public winui::Dialog {
 public:
  explicit ConfingDialog(SetupServices& services)
      : Dialog(IDD_CONFING), services_(services), virtualCom_(services) {}
  const std::string& printerName() const { return printerName_; }

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // Enter (no default button) must not end the dialog as if it had installed.
  void OnOk() override {}
  void OnTimer(UINT_PTR id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  void OnInstall();
  void OnCheckUsbPorts();
  void InstallVirtualComDriver();
  void WatchPackageInstaller();
  void OnHintClicked();
  void EnableSeries(bool enabled);
  void NoteModernWindows();

  SetupServices& services_;
  VirtualComInstall virtualCom_;
  std::string printerName_;
  int hintClicks_ = 0;
};

bool ConfingDialog::OnInit() {
  SetFont(IDC_CONFING_REMARKS, {L"宋体", 12, FW_BOLD, false, true, GB2312_CHARSET});
  const WindowsInfo& windows = services_.windows;
  SetText(IDC_CONFING_HINT, HintText(windows.name, windows.architecture));
  SetRadioIndex(IDC_CONFING_WIN10, PresetWindowsChoice(windows.name));
  SetRadioIndex(IDC_CONFING_VIRTUAL_COM, kPrinterDriverType);
  SetRadioIndex(IDC_CONFING_USB, kUsbInterface);
  return true;
}

void ConfingDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_CONFING_INSTALL: OnInstall(); break;
    case IDC_CONFING_CANCEL: EndDialog(IDCANCEL); break;
    case IDC_CONFING_CHECK_USB: OnCheckUsbPorts(); break;
    case IDC_CONFING_VIRTUAL_COM: EnableSeries(false); break;
    case IDC_CONFING_PRINTER_DRIVER: EnableSeries(true); break;
    case IDC_CONFING_HINT:
      if (code == STN_DBLCLK) OnHintClicked();
      break;
  }
}

void ConfingDialog::OnInstall() {
  const int windowsChoice = RadioIndex(IDC_CONFING_WIN10);
  const int series = RadioIndex(IDC_CONFING_SERIES_FIRST);
  const bool setDefault = Checked(IDC_CONFING_SET_DEFAULT);
  if (series < 0) {
    services_.prompts.Message(hwnd(), kNoSeriesChosen);
    return;
  }
  printerName_ = std::string(DriverTable()[series].series);
  if (RadioIndex(IDC_CONFING_VIRTUAL_COM) != kPrinterDriverType) {
    InstallVirtualComDriver();
    return;
  }

  EnableSeries(false);
  for (int id : {IDC_CONFING_INSTALL, IDC_CONFING_CANCEL, IDC_CONFING_CHECK_USB}) Enable(id, false);
  NoteModernWindows();
  std::string port = "LPT1:";
  if (RadioIndex(IDC_CONFING_USB) == kUsbInterface) {
    if (auto usbPort = FindUsbPrinterPort(services_.usb, services_.modernWindows)) port = *usbPort;
  }

  PrinterInstaller installer(services_.spooler, services_.prompts, services_.clock, services_.windows.architecture,
                             services_.language, services_.driverRoot);
  if (!installer.InstallPrinter(hwnd(), windowsChoice, series, setDefault, port)) {
    services_.prompts.Message(hwnd(), kInstallFailed);
    EndDialog(IDCANCEL);
    return;
  }
  if (port == "LPT1:") {
    const bool configure = services_.prompts.YesNo(hwnd(), kConfigureQuestion);
    if (configure) printerName_ = installer.finalPrinterName();
    EndDialog(configure ? IDOK : IDCANCEL);
    return;
  }
  // the program waits for the pages' writes before it ends
  if (services_.prompts.YesNo(hwnd(), kTestPageQuestion)) {
    PrintInstallTestPage(services_.usb, services_.modernWindows, services_.clock);
  }
  EndDialog(IDCANCEL);
}

void ConfingDialog::OnCheckUsbPorts() {
  Enable(IDC_CONFING_CHECK_USB, false);
  StartTimer(kCheckUsbTimer, kCheckUsbRearm);
  NoteModernWindows();
  const auto text = CheckUsbPorts(services_.usb, services_.modernWindows, services_.clock);
  if (text) services_.prompts.Message(hwnd(), *text);
}

void ConfingDialog::InstallVirtualComDriver() {
  if (const auto failure = virtualCom_.Start()) {
    services_.prompts.Message(hwnd(), *failure);
  } else if (virtualCom_.CanWatch()) {
    StartTimer(kWatchInstallerTimer, kWatchPeriod);
  }
  Enable(IDC_CONFING_INSTALL, false);
  StartTimer(kReenableTimer, kReenableAfter);
}

void ConfingDialog::WatchPackageInstaller() {
  std::optional<std::string> report;
  if (virtualCom_.Look(report) == VirtualComInstall::Watch::Continue) return;
  StopTimer(kWatchInstallerTimer);
  if (report) services_.prompts.Message(hwnd(), *report);
}

void ConfingDialog::OnTimer(UINT_PTR id) {
  switch (id) {
    case kReenableTimer:
      for (int control : {IDC_CONFING_INSTALL, IDC_CONFING_CANCEL, IDC_CONFING_CHECK_USB}) Enable(control, true);
      EnableSeries(true);
      StopTimer(kReenableTimer);
      break;
    case kWatchInstallerTimer: WatchPackageInstaller(); break;
    case kCheckUsbTimer:
      Enable(IDC_CONFING_CHECK_USB, true);
      StopTimer(kCheckUsbTimer);
      break;
  }
}

void ConfingDialog::OnHintClicked() {
  if (++hintClicks_ < 5) return;
  hintClicks_ = 0;
  services_.prompts.Message(hwnd(), SecretNote());
}

HBRUSH ConfingDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(control) == IDC_CONFING_REMARKS) {
    SetTextColor(dc, kRemarksColour);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  return Dialog::OnCtlColor(dc, control, message);
}

void ConfingDialog::EnableSeries(bool enabled) {
  for (int id = IDC_CONFING_SERIES_FIRST; id <= IDC_CONFING_SET_DEFAULT; ++id) Enable(id, enabled);
}

void ConfingDialog::NoteModernWindows() {
  if (IsModernWindows(services_.windows.name)) services_.modernWindows = true;
}

}  // namespace

ConfingOutcome ShowConfingDialog(HWND owner, SetupServices& services) {
  ConfingDialog dialog(services);
  const INT_PTR result = dialog.DoModal(owner);
  return {result, dialog.printerName()};
}

}  // namespace drvsetup
