// The main window's start-up in its fixed order, its command switch, data
// exchange with the controls, language relabelling and shutdown.
#include "prtbench/console/win/MainDialog.h"

#include <commctrl.h>
#include <dbt.h>

#include "common/win/UsbPrinters.h"
#include "prtbench/config/win/AdvancedDialog.h"
#include "prtbench/config/win/BlackMarkDialog.h"
#include "prtbench/console/Labels.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/win/AboutDialog.h"
#include "prtbench/console/win/LocalAddress.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/nettools/win/AutoIpDialog.h"
#include "prtbench/nettools/win/NetMonitorDialog.h"
#include "prtbench/nettools/win/NetSettingDialog.h"
#include "prtbench/nettools/win/WmiAdapterConfigurator.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr wchar_t kCaption[] = L"Corvane Printer Tool";
constexpr Ipv4 kDefaultNewIp = MakeIpv4(192, 168, 1, 100);
constexpr unsigned kClockPeriodMs = 1000;
constexpr COLORREF kTitleColour = RGB(0, 0, 132);

constexpr int kXpButtons[] = {IDC_MAIN_REFRESH, IDC_MAIN_CONNECT,  IDC_MAIN_SET_IP,    IDC_MAIN_SET_ID,
                              IDC_MAIN_PING,    IDC_MAIN_AUTO_IP,  IDC_MAIN_CLEAR,     IDC_MAIN_DRAWER,
                              IDC_MAIN_CUT,     IDC_MAIN_SELF_TEST, IDC_MAIN_ADVANCED, IDC_MAIN_PRINT,
                              IDC_MAIN_NET_MONITOR, IDC_MAIN_SERIAL_WRITE, IDC_MAIN_FIRMWARE};
constexpr int kSerialControls[] = {IDC_MAIN_SERIAL_GROUP, IDC_MAIN_SERIAL, IDC_MAIN_SERIAL_INCREMENT,
                                   IDC_MAIN_SERIAL_WRITE};

}  // namespace

CKALDRODlg::CKALDRODlg(const MainWindowServices& services)
    : Dialog(IDD_MAIN),
      link_(services.link),
      shared_(services.link.shared()),
      settings_(services.settings, [this] { OnSettingsNotWritten(); }),
      prompts_(services.prompts),
      shutDownNetwork_(services.shutDownNetwork),
      localIpv4_(services.localIpv4 ? services.localIpv4 : LocalIpv4),
      adapters_(services.adapters ? services.adapters : MakeWmiAdapterConfigurator),
      clock_(services.clock ? *services.clock : sleepingClock_),
      status_(shared_),
      context_(link_, settings_, prompts_, services.launcher, status_, *this, clock_) {
  shared_.language.store(Language::Chinese);
}

CKALDRODlg::~CKALDRODlg() {
  queue_.Close();
  autoSender_.StopAndWait();
  if (titleFont_) DeleteObject(titleFont_);
  if (frameBrush_) DeleteObject(frameBrush_);
  if (framePattern_) DeleteObject(framePattern_);
}

bool CKALDRODlg::OnInit() {
  status_.Attach(windowLink(), [this](const std::string& text) { SetStatusLine(text); });
  // a NET send on a worker reads the Printer IP box through this copy
  link_.SetPrinterIpSource([this] { return printerIpCopy_.load(); });
  FillLists();
  AddAboutToSystemMenu();
  SetIcons();
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SETLIMITTEXT, 0, 0);
  contentBox_.Attach(Item(IDC_MAIN_CONTENT), [this](const std::string& path) { OnContentDropped(path); });
  shared_.totalBytes.Reset();
  SetComboIndex(IDC_MAIN_FLOW, kFlowControlRts);
  OnFlowControl();
  ComboReset(IDC_MAIN_COM_NAME);
  for (int n = 1; n <= kHighestComNumber; ++n) ComboAdd(IDC_MAIN_COM_NAME, ComName(n));
  localIp_ = localIpv4_();
  newIp_ = kDefaultNewIp;
  ShowValues();
  LoadSettingsFile();
  LoadLanguageMenu();
  RegisterUsbNotices();
  link_.OpenUsbIfClosed();
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  shared_.status.Set(Text(Msg::StatusBarStart));
  content_ = TemplateGreeting();
  ShowValues();
  SetStatusLine(shared_.status.Get());
  PreparePictures();
  for (int id : kSerialControls) Show(id, link_.Settings().proId == 1);
  EnforceCaption();
  StartTimer(kClockTimer, kClockPeriodMs);
  AddTabs();
  return true;
}

void CKALDRODlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_MAIN_PORT_LPT: case IDC_MAIN_PORT_COM: case IDC_MAIN_PORT_USB: case IDC_MAIN_PORT_NET: OnPortType(); break;
    case IDC_MAIN_PRINTER_POS58: case IDC_MAIN_PRINTER_POS76: case IDC_MAIN_PRINTER_RX8: OnPrinterType(); break;
    case IDC_MAIN_COM_NAME: if (code == CBN_SELCHANGE) OnComName(); break;
    case IDC_MAIN_LPT_NAME: if (code == CBN_SELCHANGE) OnLptName(); break;
    case IDC_MAIN_BAUD: if (code == CBN_SELCHANGE) OnBaudRate(); break;
    case IDC_MAIN_FLOW: if (code == CBN_SELCHANGE) OnFlowControl(); break;
    case IDC_MAIN_PRINTER_IP: if (code == EN_CHANGE) RememberPrinterIp(); break;
    case IDC_MAIN_PRINT: case IDM_FILE_PRINT: OnPrint(); break;
    case IDC_MAIN_HEX: OnHexToggle(); break;
    case IDC_MAIN_AUTO_SEND: OnAutoSend(); break;
    case IDC_MAIN_CUT_PAPER_SWITCH: OnCutPaperSwitch(); break;
    case IDC_MAIN_CUT: OnCutPaper(); break;
    case IDC_MAIN_DRAWER: OnCashDrawer(); break;
    case IDC_MAIN_SELF_TEST: OnSelfTest(); break;
    case IDC_MAIN_CLEAR: OnClear(); break;
    case IDM_LANGUAGE_ENGLISH: SetLanguage(Language::English); break;
    case IDM_LANGUAGE_CHINESE: SetLanguage(Language::Chinese); break;
    case IDM_COM_SETTINGS: OnComSettings(); break;
    case IDC_MAIN_ADVANCED: ShowAdvancedDialog(hwnd(), context_); break;
    case IDM_BLACK_MARK: ShowBlackMarkDialog(hwnd(), context_, BlackMarkMode::Standard); break;
    case IDM_LOGO_DOWN: ShowLogoDialog(hwnd(), context_); break;
    case IDM_NET_SETTINGS_ENGLISH: case IDM_NET_SETTINGS_CHINESE: ShowNetSettingsDialog(hwnd(), context_); break;
    case IDC_MAIN_AUTO_IP: ShowAutoIpDialog(hwnd(), context_); break;
    case IDC_MAIN_NET_MONITOR: ShowNetMonitorDialog(hwnd(), context_); break;
    case IDM_FILE_EXIT: if (MayClose()) EndDialog(IDOK); break;
    case IDC_MAIN_REFRESH: OnRefreshLocalIp(); break;
    case IDC_MAIN_CONNECT: OnConnectionTest(); break;
    case IDC_MAIN_SET_IP: OnSetPrinterAddress(); break;
    case IDC_MAIN_SET_ID: OnSetPrinterId(); break;
    case IDC_MAIN_PING: OnPing(); break;
    case IDC_MAIN_SERIAL_WRITE: OnWriteSerialNumber(); break;
    case IDC_MAIN_FIRMWARE: OnStartFirmwareUpdater(); break;
    case IDM_FILE_NEW: OnFileNew(); break;
    case IDM_FILE_OPEN: OnFileOpen(); break;
    case IDM_FILE_SAVE: OnFileSave(false); break;
    case IDM_FILE_SAVE_AS: OnFileSave(true); break;
    case IDM_FILE_CLOSE: OnFileClose(); break;
    case IDM_EDIT_SELECT_ALL: OnSelectAll(); break;
    case IDM_ABOUT: ShowAboutDialog(hwnd()); break;
    case IDM_HELP: OnHelp(); break;
    default: break;
  }
}

bool CKALDRODlg::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.idFrom != IDC_MAIN_REPEAT_SPIN || header.code != UDN_DELTAPOS) return false;
  OnRepetitionsStep(reinterpret_cast<const NMUPDOWN&>(header).iDelta);
  result = 0;
  return true;
}

bool CKALDRODlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_SETCURSOR:
      result = OnSetCursor(reinterpret_cast<HWND>(wParam));
      return result != FALSE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
      ShowAboutDialog(hwnd());
      result = 0;
      return true;
    default:
      return false;
  }
}

bool CKALDRODlg::PreTranslateMessage(MSG& message) {
  if (accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_, &message)) return true;
  return Dialog::PreTranslateMessage(message);
}

HBRUSH CKALDRODlg::OnCtlColor(HDC dc, HWND control, UINT message) {
  if (control == Item(IDC_MAIN_PICTURE) && frameBrush_) return frameBrush_;
  if (control == Item(IDC_MAIN_TITLE)) {
    SetTextColor(dc, kTitleColour);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  return Dialog::OnCtlColor(dc, control, message);
}

bool CKALDRODlg::OnSetCursor(HWND over) {
  // the picture frame shows a hand, though clicking it does nothing
  if (over != Item(IDC_MAIN_PICTURE)) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

void CKALDRODlg::FillLists() {
  for (auto name : kLptNames) ComboAdd(IDC_MAIN_LPT_NAME, name);
  for (auto rate : kBaudRateTexts) ComboAdd(IDC_MAIN_BAUD, rate);
  for (auto flow : kFlowControlTexts) ComboAdd(IDC_MAIN_FLOW, flow);
  for (int id : kXpButtons) AttachXPButton(id);
}

void CKALDRODlg::AddAboutToSystemMenu() {
  wchar_t text[128] = {};
  LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 128);
  HMENU system = GetSystemMenu(hwnd(), FALSE);
  if (!system || text[0] == L'\0') return;
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, text);
}

void CKALDRODlg::SetIcons() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto icon = [&](int size) {
    return reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, size, size, LR_SHARED));
  };
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, icon(GetSystemMetrics(SM_CXICON)));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, icon(GetSystemMetrics(SM_CXSMICON)));
}

void CKALDRODlg::LoadSettingsFile() {
  const MainWindowSettings loaded = LoadMainWindowSettings(settings_);
  link_.UpdateSettings([&](ConnectionSettings& s) { ApplyLoaded(loaded, s); });
  shared_.language.store(loaded.language);
  printerIp_ = loaded.printerIp;
  comName_ = loaded.comName;
  lptName_ = loaded.lptName;
  portRadio_ = loaded.portType;
  printerRadio_ = loaded.printerType;
  ShowValues();
  ReadWindow(false);
  link_.UpdateSettings([&](ConnectionSettings& s) {
    s.portType = portRadio_;
    s.printerType = printerRadio_;
    s.comName = comName_;
    s.lptName = lptName_;
    s.printerIp = printerIp_;
    s.com.monitorIp = printerIp_;
  });
  // a rate the list lacks leaves it without selection; the rate stays
  SetComboIndex(IDC_MAIN_BAUD, -1);
  SendDlgItemMessageW(hwnd(), IDC_MAIN_BAUD, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(std::to_wstring(loaded.baudRate).c_str()));
  if (ComboText(IDC_MAIN_BAUD) != std::to_string(loaded.baudRate)) SetComboIndex(IDC_MAIN_BAUD, -1);
  ApplyEnableRules(portRadio_);
}

void CKALDRODlg::RegisterUsbNotices() {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kit::kUsbPrinterInterfaceClass;
  usbNotices_ = RegisterDeviceNotificationW(hwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (!usbNotices_) prompts_.Message(hwnd(), Text(Msg::UsbNoticesFailed), winui::MessageIcon::Information);
}

void CKALDRODlg::PreparePictures() {
  titleFont_ = CreateFontW(24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  SendDlgItemMessageW(hwnd(), IDC_MAIN_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), TRUE);
  framePattern_ = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_FRAME_PATTERN));
  if (framePattern_) frameBrush_ = CreatePatternBrush(framePattern_);
  InvalidateRect(Item(IDC_MAIN_PICTURE), nullptr, TRUE);
}

void CKALDRODlg::AddTabs() {
  for (const wchar_t* tab : {L"  1", L"  2", L"  3"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(tab);
    const auto count = SendDlgItemMessageW(hwnd(), IDC_MAIN_TABS, TCM_GETITEMCOUNT, 0, 0);
    SendDlgItemMessageW(hwnd(), IDC_MAIN_TABS, TCM_INSERTITEMW, count, reinterpret_cast<LPARAM>(&item));
  }
}

void CKALDRODlg::EnforceCaption() {
  wchar_t caption[128] = {};
  GetWindowTextW(hwnd(), caption, 128);
  if (wcscmp(caption, kCaption) != 0) SetWindowTextW(hwnd(), kCaption);
}

bool CKALDRODlg::ReadWindow(bool validate) {
  portRadio_ = RadioIndex(IDC_MAIN_PORT_LPT);
  printerRadio_ = RadioIndex(IDC_MAIN_PRINTER_POS58);
  content_ = Dialog::Text(IDC_MAIN_CONTENT);
  hex_ = Checked(IDC_MAIN_HEX);
  lptName_ = ComboText(IDC_MAIN_LPT_NAME);
  comName_ = ComboText(IDC_MAIN_COM_NAME);
  localIp_ = IpAddress(IDC_MAIN_LOCAL_IP);
  printerIp_ = IpAddress(IDC_MAIN_PRINTER_IP);
  newIp_ = IpAddress(IDC_MAIN_NEW_IP);
  newId_ = IpAddress(IDC_MAIN_NEW_ID);
  autoSend_ = Checked(IDC_MAIN_AUTO_SEND);
  numbering_ = Checked(IDC_MAIN_NUMBERING);
  timeStamp_ = Checked(IDC_MAIN_TIME_STAMP);
  dateText_ = Dialog::Text(IDC_MAIN_DATE);
  increment_ = Checked(IDC_MAIN_SERIAL_INCREMENT);
  serial_ = Dialog::Text(IDC_MAIN_SERIAL);
  return ReadNumbers(validate);
}

bool CKALDRODlg::ReadNumbers(bool validate) {
  const std::optional<int> repetitions = Int(IDC_MAIN_REPEAT);
  if (repetitions) repetitions_ = *repetitions;
  const std::optional<int> period = Int(IDC_MAIN_PERIOD);
  const bool periodOk = period && *period >= 1 && *period <= kMaxPeriodMs;
  if (periodOk) periodMs_ = static_cast<unsigned>(*period);
  if (!validate || (repetitions && periodOk)) return true;
  prompts_.Message(hwnd(), Text(repetitions && period ? Msg::PeriodOutOfRange : Msg::IntegerRequired),
                   winui::MessageIcon::Information);
  return false;
}

void CKALDRODlg::ShowValues() {
  SetRadioIndex(IDC_MAIN_PORT_LPT, portRadio_);
  SetRadioIndex(IDC_MAIN_PRINTER_POS58, printerRadio_);
  SetText(IDC_MAIN_CONTENT, content_);
  SetChecked(IDC_MAIN_HEX, hex_);
  ShowListName(IDC_MAIN_LPT_NAME, lptName_);
  ShowListName(IDC_MAIN_COM_NAME, comName_);
  SetIpAddress(IDC_MAIN_LOCAL_IP, localIp_);
  SetIpAddress(IDC_MAIN_PRINTER_IP, printerIp_);
  SetIpAddress(IDC_MAIN_NEW_IP, newIp_);
  SetIpAddress(IDC_MAIN_NEW_ID, newId_);
  SetInt(IDC_MAIN_REPEAT, repetitions_);
  SetChecked(IDC_MAIN_AUTO_SEND, autoSend_);
  SetInt(IDC_MAIN_PERIOD, static_cast<int>(periodMs_));
  SetChecked(IDC_MAIN_NUMBERING, numbering_);
  SetChecked(IDC_MAIN_TIME_STAMP, timeStamp_);
  SetText(IDC_MAIN_DATE, dateText_);
  SetChecked(IDC_MAIN_SERIAL_INCREMENT, increment_);
  SetText(IDC_MAIN_SERIAL, serial_);
  RememberPrinterIp();
}

void CKALDRODlg::ShowListName(int id, const std::string& name) {
  // a name that begins no entry leaves the list without selection
  SetComboIndex(id, -1);
  if (!name.empty()) ComboSelectPrefix(id, name);
}

void CKALDRODlg::SetLanguage(Language language) {
  context_.SetLanguage(language);
  ReadWindow(false);
  LoadLanguageMenu();
  for (const ControlLabel& label : MainWindowLabels()) SetText(label.id, LabelText(label, language));
  content_ = Greeting(language);
  ShowValues();
  // the greeting is no longer that file: Save must not overwrite it
  ForgetCurrentFile();
  // a relabelled group box paints over the buttons inside it: paint everything afresh
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKALDRODlg::LoadLanguageMenu() {
  const int id = context_.language() == Language::Chinese ? IDR_MENU_CHINESE : IDR_MENU_ENGLISH;
  RECT before;
  GetClientRect(hwnd(), &before);
  HMENU old = GetMenu(hwnd());
  SetMenu(hwnd(), LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  if (old) DestroyMenu(old);
  // a menu bar of another height must not take room from the controls
  RECT after, window;
  GetClientRect(hwnd(), &after);
  GetWindowRect(hwnd(), &window);
  const int grow = before.bottom - after.bottom;
  if (grow == 0) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top + grow,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKALDRODlg::OnDestroy() {
  // the settings first: nothing the workers do may cost the user them
  SaveSettingsFile();
  // the workers end next, their writes cut short: nothing may send while the links close
  link_.CancelSends();
  queue_.Close();
  autoSender_.StopAndWait();
  link_.SetPrinterIpSource([ip = printerIpCopy_.load()] { return ip; });
  link_.ClosePorts();
  ShutDownNetMonitor();
  if (usbNotices_) UnregisterDeviceNotification(usbNotices_);
  usbNotices_ = nullptr;
  if (shutDownNetwork_) shutDownNetwork_();
}

void CKALDRODlg::SaveSettingsFile() {
  ReadWindow(false);
  const ConnectionSettings now = link_.Settings();
  MainWindowSettings values;
  values.printerIp = now.printerIp;
  values.comName = comName_;
  values.lptName = lptName_;
  values.portType = portRadio_;
  values.printerType = printerRadio_;
  values.baudRate = now.baudRate;
  values.language = context_.language();
  SaveMainWindowSettings(settings_, values);
}

void CKALDRODlg::OnSettingsNotWritten() {
  prompts_.Message(hwnd(), Text(Msg::SettingsNotWritten), winui::MessageIcon::Information);
}

std::string CKALDRODlg::Text(Msg id) const { return std::string(context_.Text(id)); }

}  // namespace prtbench
