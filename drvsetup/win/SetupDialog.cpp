// CFerrowPrinterDriverSetupDlg: the backdrop, the properties follow-up and About.
#include "drvsetup/win/SetupDialog.h"

#include <commctrl.h>

#include "drvsetup/Texts.h"
#include "drvsetup/res/resource.h"
#include "drvsetup/win/ConfingDialog.h"
#include "winui/Dialog.h"
#include "winui/ProgramFolder.h"
#include "winui/Utf.h"

namespace drvsetup {
namespace {

constexpr UINT kRunConfiguration = WM_APP + 1;
constexpr UINT_PTR kFindPropertiesTimer = 2;
constexpr UINT_PTR kEndTimer = 3;
constexpr UINT_PTR kOpenPropertiesTimer = 4;
constexpr unsigned kFindPropertiesPeriod = 100;
constexpr unsigned kEndAfter = 5000;
constexpr unsigned kBeforeProperties = 100;
constexpr int kPropertiesTab = 2;
constexpr COLORREF kBackdrop = RGB(0, 100, 160);
constexpr COLORREF kTitleColour = RGB(0, 20, 140);

class CFerrowPrinterDriverSetupDlg : public winui::Dialog {
 public:
  explicit CFerrowPrinterDriverSetupDlg(SetupServices& services)
      : Dialog(IDD_SETUP), services_(services), brush_(CreateSolidBrush(kBackdrop)) {}
  ~CFerrowPrinterDriverSetupDlg() override { DeleteObject(brush_); }

 protected:
  bool OnInit() override;
  void OnTimer(UINT_PTR id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnEraseBackground(HDC dc) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void RunConfiguration();
  void OpenProperties();
  void FindPropertiesWindow();

  SetupServices& services_;
  HBRUSH brush_;
  std::string printerName_;
};

bool CFerrowPrinterDriverSetupDlg::OnInit() {
  SetFont(IDC_SETUP_TITLE, {L"微软雅黑", 50, FW_BOLD, true, true});
  if (HMENU menu = GetSystemMenu(hwnd(), FALSE)) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, L"关于 drvsetup(&A)...");
  }
  SetIcons(IDI_DRVSETUP);
  ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
  // the configuration runs once the backdrop is up, not inside its creation
  PostMessageW(hwnd(), kRunConfiguration, 0, 0);
  return true;
}

void CFerrowPrinterDriverSetupDlg::RunConfiguration() {
  const ConfingOutcome outcome = ShowConfingDialog(hwnd(), services_);
  if (outcome.result != IDOK) {
    EndDialog(IDCANCEL);
    return;
  }
  printerName_ = outcome.printerName;
  // the spooler settles a moment before its properties open; a timer, so the
  // window goes on painting meanwhile
  StartTimer(kOpenPropertiesTimer, kBeforeProperties);
}

void CFerrowPrinterDriverSetupDlg::OpenProperties() {
  StopTimer(kOpenPropertiesTimer);
  const std::string rundll = winui::SystemProgram("rundll32.exe");
  if (!services_.launcher.Open(rundll, PropertiesParameters(printerName_))) {
    services_.prompts.Message(hwnd(), StartFailedMessage(rundll, services_.language == kSimplifiedChinese));
    EndDialog(IDCANCEL);
    return;
  }
  StartTimer(kFindPropertiesTimer, kFindPropertiesPeriod);
  StartTimer(kEndTimer, kEndAfter);
}

void CFerrowPrinterDriverSetupDlg::OnTimer(UINT_PTR id) {
  if (id == kOpenPropertiesTimer) OpenProperties();
  if (id == kFindPropertiesTimer) FindPropertiesWindow();
  if (id == kEndTimer) EndDialog(IDOK);  // the properties window stays open
}

void CFerrowPrinterDriverSetupDlg::FindPropertiesWindow() {
  const std::wstring title = PropertiesWindowTitle(printerName_, services_.language);
  if (title.empty()) {
    StopTimer(kFindPropertiesTimer);
    return;
  }
  HWND properties = FindWindowW(nullptr, title.c_str());
  if (!properties) return;
  if (HWND tabs = FindWindowExW(properties, nullptr, L"SysTabControl32", nullptr)) {
    SendMessageW(tabs, TCM_SETCURFOCUS, kPropertiesTab, 0);
  }
  StopTimer(kFindPropertiesTimer);
}

HBRUSH CFerrowPrinterDriverSetupDlg::OnCtlColor(HDC dc, HWND control, UINT) {
  if (GetDlgCtrlID(control) == IDC_SETUP_TITLE) SetTextColor(dc, kTitleColour);
  SetBkColor(dc, kBackdrop);
  return brush_;
}

bool CFerrowPrinterDriverSetupDlg::OnEraseBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, brush_);
  return true;
}

bool CFerrowPrinterDriverSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == kRunConfiguration) {
    RunConfiguration();
    result = 0;
    return true;
  }
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUTBOX) {
    winui::Dialog about(IDD_ABOUT);
    about.DoModal(hwnd());
    result = 0;
    return true;
  }
  return false;
}

}  // namespace

std::wstring PropertiesWindowTitle(const std::string& printerName, unsigned language) {
  if (language == kUsEnglish) return winui::Widen(printerName + " Properties");
  if (language == kSimplifiedChinese) return winui::Widen(printerName + " 属性");
  return {};
}

std::string PropertiesParameters(const std::string& printerName) {
  return "printui.dll,PrintUIEntry /p /n \"" + printerName + "\"";
}

void ShowSetupDialog(HWND owner, SetupServices& services) { CFerrowPrinterDriverSetupDlg(services).DoModal(owner); }

}  // namespace drvsetup
