// The main window's start-up in its fixed order, its command switch, data
// exchange with the controls, language relabelling and shutdown.
#include "prtbench/console/win/MainDialog.h"

#include <commctrl.h>

#include <ctime>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/config/win/AdvancedDialog.h"
#include "prtbench/config/win/BlackMarkDialog.h"
#include "prtbench/console/Labels.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/win/AboutDialog.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/nettools/win/AutoIpDialog.h"
#include "prtbench/nettools/win/NetMonitorDialog.h"
#include "prtbench/nettools/win/NetSettingDialog.h"
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
      settings_(services.settings, [this] { OnSettingsNotWritten(); }),
      shutDownNetwork_(services.shutDownNetwork),
      status_(services.status),
      context_(link_, services.socket, services.monitor, settings_, services.prompts, services.launcher, status_, *this,
               services.clock),
      tools_(*this, services.localIpv4, services.adapters) {
  status_.SetLanguage(Language::Chinese);
}

CKALDRODlg::~CKALDRODlg() {
  queue_.Close();
  sending_.StopAndWait();
  if (frameBrush_) DeleteObject(frameBrush_);
  if (framePattern_) DeleteObject(framePattern_);
}

bool CKALDRODlg::OnInit() {
  status_.Attach(windowLink(), [this](const std::string& text) { SetStatusLine(text); });
  // a NET send on a worker reads the Printer IP box through this copy
  link_.SetPrinterIpSource([this] { return printerIpCopy_.load(); });
  FillLists();
  AddAboutToSystemMenu();
  SetIcons(IDI_MAIN);
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SETLIMITTEXT, 0, 0);
  files_.AttachContentBox();
  status_.ResetTotalBytes();
  SetComboIndex(IDC_MAIN_FLOW, kFlowControlRts);
  ports_.OnFlowControl();
  ComboReset(IDC_MAIN_COM_NAME);
  for (int n = 1; n <= kHighestComNumber; ++n) ComboAdd(IDC_MAIN_COM_NAME, ComName(n));
  fields_.newIp = kDefaultNewIp;
  // shows every field with what Printer.ini holds
  LoadSettingsFile();
  LoadLanguageMenu();
  ports_.RegisterUsbNotices();
  // what may take a while waits for the window to show and paint (a timer
  // comes after both), so the queue's loading and asking do not delay it
  StartTimer(kStartJobsTimer, 0);
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  status_.SetText(Text(Msg::StatusBarStart));
  // the controls hold the fields already: only the content box changes
  fields_.content = TemplateGreeting();
  SetText(IDC_MAIN_CONTENT, fields_.content);
  SetStatusLine(status_.Text());
  PreparePictures();
  for (int id : kSerialControls) Show(id, link_.Settings().proId == 1);
  EnforceCaption();
  StartTimer(kClockTimer, kClockPeriodMs);
  AddTabs();
  return true;
}

void CKALDRODlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_MAIN_PORT_LPT: case IDC_MAIN_PORT_COM: case IDC_MAIN_PORT_USB: case IDC_MAIN_PORT_NET: ports_.OnPortType(); break;
    case IDC_MAIN_PRINTER_POS58: case IDC_MAIN_PRINTER_POS76: case IDC_MAIN_PRINTER_RX8: ports_.OnPrinterType(); break;
    case IDC_MAIN_COM_NAME: if (code == CBN_SELCHANGE) ports_.OnComName(); break;
    case IDC_MAIN_LPT_NAME: if (code == CBN_SELCHANGE) ports_.OnLptName(); break;
    case IDC_MAIN_BAUD: if (code == CBN_SELCHANGE) ports_.OnBaudRate(); break;
    case IDC_MAIN_FLOW: if (code == CBN_SELCHANGE) ports_.OnFlowControl(); break;
    case IDC_MAIN_PRINTER_IP: if (code == EN_CHANGE) RememberPrinterIp(); break;
    case IDC_MAIN_PRINT: case IDM_FILE_PRINT: sending_.OnPrint(); break;
    case IDC_MAIN_HEX: sending_.OnHexToggle(); break;
    case IDC_MAIN_AUTO_SEND: sending_.OnAutoSend(); break;
    case IDC_MAIN_CUT_PAPER_SWITCH: sending_.OnCutPaperSwitch(); break;
    case IDC_MAIN_CUT: sending_.OnCutPaper(); break;
    case IDC_MAIN_DRAWER: sending_.OnCashDrawer(); break;
    case IDC_MAIN_SELF_TEST: sending_.OnSelfTest(); break;
    case IDC_MAIN_CLEAR: sending_.OnClear(); break;
    case IDM_LANGUAGE_ENGLISH: SetLanguage(Language::English); break;
    case IDM_LANGUAGE_CHINESE: SetLanguage(Language::Chinese); break;
    case IDM_COM_SETTINGS: ports_.OnComSettings(); break;
    case IDC_MAIN_ADVANCED: ShowAdvancedDialog(hwnd(), context_, blackMarkH_); break;
    case IDM_BLACK_MARK: ShowBlackMarkDialog(hwnd(), context_, blackMarkH_, BlackMarkMode::Standard); break;
    case IDM_LOGO_DOWN: ShowLogoDialog(hwnd(), context_); break;
    case IDM_NET_SETTINGS_ENGLISH: case IDM_NET_SETTINGS_CHINESE: ShowNetSettingDialog(hwnd(), context_); break;
    case IDC_MAIN_AUTO_IP: ShowAutoIpDialog(hwnd(), context_, datagrams_); break;
    case IDC_MAIN_NET_MONITOR: ShowNetMonitorDialog(netMonitor_); break;
    case IDM_FILE_EXIT: if (files_.MayClose()) EndDialog(IDOK); break;
    case IDC_MAIN_REFRESH: tools_.OnRefreshLocalIp(); break;
    case IDC_MAIN_CONNECT: tools_.OnConnectionTest(); break;
    case IDC_MAIN_SET_IP: tools_.OnSetPrinterAddress(); break;
    case IDC_MAIN_SET_ID: tools_.OnSetPrinterId(); break;
    case IDC_MAIN_PING: tools_.OnPing(); break;
    case IDC_MAIN_SERIAL_WRITE: tools_.OnWriteSerialNumber(); break;
    case IDC_MAIN_FIRMWARE: tools_.OnStartFirmwareUpdater(); break;
    case IDM_FILE_NEW: files_.OnFileNew(); break;
    case IDM_FILE_OPEN: files_.OnFileOpen(); break;
    case IDM_FILE_SAVE: files_.OnFileSave(false); break;
    case IDM_FILE_SAVE_AS: files_.OnFileSave(true); break;
    case IDM_FILE_CLOSE: files_.OnFileClose(); break;
    case IDM_EDIT_SELECT_ALL: files_.OnSelectAll(); break;
    case IDM_ABOUT: ShowAboutDialog(hwnd()); break;
    case IDM_HELP: tools_.OnHelp(); break;
    default: break;
  }
}

bool CKALDRODlg::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.idFrom != IDC_MAIN_REPEAT_SPIN || header.code != UDN_DELTAPOS) return false;
  sending_.OnRepetitionsStep(reinterpret_cast<const NMUPDOWN&>(header).iDelta);
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

void CKALDRODlg::LoadSettingsFile() {
  const MainWindowSettings loaded = LoadMainWindowSettings(settings_);
  link_.UpdateSettings([&](ConnectionSettings& s) { ApplyLoaded(loaded, s); });
  status_.SetLanguage(loaded.language);
  fields_.printerIp = loaded.printerIp;
  fields_.comName = loaded.comName;
  fields_.lptName = loaded.lptName;
  fields_.portRadio = loaded.portType;
  fields_.printerRadio = loaded.printerType;
  ShowValues();
  ReadWindow(false);
  link_.UpdateSettings([&](ConnectionSettings& s) {
    s.portType = fields_.portRadio;
    s.printerType = fields_.printerRadio;
    s.comName = fields_.comName;
    s.lptName = fields_.lptName;
    s.printerIp = fields_.printerIp;
    s.com.monitorIp = fields_.printerIp;
  });
  // a rate the list lacks leaves it without selection; the rate stays
  const std::string rate = std::to_string(loaded.baudRate);
  ShowListName(IDC_MAIN_BAUD, rate);
  if (ComboText(IDC_MAIN_BAUD) != rate) SetComboIndex(IDC_MAIN_BAUD, -1);
  ports_.ApplyEnableRules(fields_.portRadio);
}

void CKALDRODlg::PreparePictures() {
  SetFont(IDC_MAIN_TITLE, {L"Arial", 24, FW_NORMAL, false, false, DEFAULT_CHARSET, DEFAULT_PITCH | FF_SWISS});
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
  MainFields& f = fields_;
  f.portRadio = RadioIndex(IDC_MAIN_PORT_LPT);
  f.printerRadio = RadioIndex(IDC_MAIN_PRINTER_POS58);
  f.content = Text(IDC_MAIN_CONTENT);
  f.hex = Checked(IDC_MAIN_HEX);
  f.lptName = ComboText(IDC_MAIN_LPT_NAME);
  f.comName = ComboText(IDC_MAIN_COM_NAME);
  f.localIp = IpAddress(IDC_MAIN_LOCAL_IP);
  f.printerIp = IpAddress(IDC_MAIN_PRINTER_IP);
  f.newIp = IpAddress(IDC_MAIN_NEW_IP);
  f.newId = IpAddress(IDC_MAIN_NEW_ID);
  f.autoSend = Checked(IDC_MAIN_AUTO_SEND);
  f.numbering = Checked(IDC_MAIN_NUMBERING);
  f.timeStamp = Checked(IDC_MAIN_TIME_STAMP);
  f.dateText = Text(IDC_MAIN_DATE);
  f.increment = Checked(IDC_MAIN_SERIAL_INCREMENT);
  f.serial = Text(IDC_MAIN_SERIAL);
  return ReadNumbers(validate);
}

bool CKALDRODlg::ReadNumbers(bool validate) {
  const std::optional<int> repetitions = Int(IDC_MAIN_REPEAT);
  if (repetitions) fields_.repetitions = *repetitions;
  const std::optional<int> period = Int(IDC_MAIN_PERIOD);
  const bool periodOk = period && *period >= 1 && *period <= MainFields::kMaxPeriodMs;
  if (periodOk) fields_.periodMs = static_cast<unsigned>(*period);
  if (!validate || (repetitions && periodOk)) return true;
  prompts().Message(hwnd(), Text(repetitions && period ? Msg::PeriodOutOfRange : Msg::IntegerRequired),
                   winui::MessageIcon::Information);
  return false;
}

void CKALDRODlg::ShowValues() {
  const MainFields& f = fields_;
  SetRadioIndex(IDC_MAIN_PORT_LPT, f.portRadio);
  SetRadioIndex(IDC_MAIN_PRINTER_POS58, f.printerRadio);
  SetText(IDC_MAIN_CONTENT, f.content);
  SetChecked(IDC_MAIN_HEX, f.hex);
  ShowListName(IDC_MAIN_LPT_NAME, f.lptName);
  ShowListName(IDC_MAIN_COM_NAME, f.comName);
  SetIpAddress(IDC_MAIN_LOCAL_IP, f.localIp);
  SetIpAddress(IDC_MAIN_PRINTER_IP, f.printerIp);
  SetIpAddress(IDC_MAIN_NEW_IP, f.newIp);
  SetIpAddress(IDC_MAIN_NEW_ID, f.newId);
  SetInt(IDC_MAIN_REPEAT, f.repetitions);
  SetChecked(IDC_MAIN_AUTO_SEND, f.autoSend);
  SetInt(IDC_MAIN_PERIOD, static_cast<int>(f.periodMs));
  SetChecked(IDC_MAIN_NUMBERING, f.numbering);
  SetChecked(IDC_MAIN_TIME_STAMP, f.timeStamp);
  SetText(IDC_MAIN_DATE, f.dateText);
  SetChecked(IDC_MAIN_SERIAL_INCREMENT, f.increment);
  SetText(IDC_MAIN_SERIAL, f.serial);
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
  Relabel(*this, MainWindowLabels(), language);
  fields_.content = Greeting(language);
  ShowValues();
  // the greeting is no longer that file: Save must not overwrite it
  files_.ForgetCurrentFile();
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
  sending_.StopAndWait();
  link_.SetPrinterIpSource([ip = printerIpCopy_.load()] { return ip; });
  link_.ClosePorts();
  netMonitor_.ShutDown();
  ports_.UnregisterUsbNotices();
  if (shutDownNetwork_) shutDownNetwork_();
}

void CKALDRODlg::SaveSettingsFile() {
  ReadWindow(false);
  const ConnectionSettings now = link_.Settings();
  MainWindowSettings values;
  values.printerIp = now.printerIp;
  values.comName = fields_.comName;
  values.lptName = fields_.lptName;
  values.portType = fields_.portRadio;
  values.printerType = fields_.printerRadio;
  values.baudRate = now.baudRate;
  values.language = context_.language();
  SaveMainWindowSettings(settings_, values);
}

void CKALDRODlg::OnSettingsNotWritten() {
  prompts().Message(hwnd(), Text(Msg::SettingsNotWritten), winui::MessageIcon::Information);
}

void CKALDRODlg::OnTimer(UINT_PTR id) {
  if (ports_.OnTimer(id)) return;
  if (id == kClockTimer) OnClock();
  if (id == kStartJobsTimer) PostStartJobs();
}

void CKALDRODlg::PostStartJobs() {
  if (startJobsPosted_) return;
  startJobsPosted_ = true;
  StopTimer(kStartJobsTimer);
  Post([&link = link_](const SendQueue::Cancelled&) { link.OpenUsbIfClosed(); });
  tools_.ShowLocalIpSoon();
}

void CKALDRODlg::OnClock() {
  const std::time_t now = std::time(nullptr);
  char text[128] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  fields_.dateText = text;
  SetText(IDC_MAIN_DATE, fields_.dateText);
}

bool CKALDRODlg::OnDeviceChange(WPARAM event, LPARAM data) { return ports_.OnDeviceChange(event, data); }

void CKALDRODlg::SetStatusLine(const std::string& text) { SetText(IDC_MAIN_STATUS_LINE, text); }

void CKALDRODlg::RememberPrinterIp() { printerIpCopy_.store(IpAddress(IDC_MAIN_PRINTER_IP)); }

void CKALDRODlg::Post(SendQueue::Job job) {
  PostStartJobs();
  // the box as it is when the user asks, whatever its change notices said
  RememberPrinterIp();
  queue_.Post(std::move(job));
}

bool CKALDRODlg::Busy() const { return !startJobsPosted_ || queue_.Busy() || sending_.Running(); }

void MainWindow::Report(const std::string& text) {
  context().status().SetText(text);
  prompts().Message(hwnd(), text, winui::MessageIcon::Information);
  SetStatusLine(text);
}

}  // namespace prtbench
