// CLumaqFwflashDlg: handlers read the controls, call the core, start the worker.
#include "fwflash/win/FwflashDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "fwflash/FirmwareFile.h"
#include "fwflash/Texts.h"
#include "fwflash/Vendors.h"
#include "fwflash/res/resource.h"
#include "winui/Utf.h"

namespace fwflash {
namespace {

constexpr int kInputControls[] = {IDC_FWFLASH_USB,   IDC_FWFLASH_NET,       IDC_FWFLASH_COM,       IDC_FWFLASH_BROWSE,
                                  IDC_FWFLASH_START, IDC_FWFLASH_PORT_LIST, IDC_FWFLASH_BAUD_LIST, IDC_FWFLASH_ADDRESS};

bool IsExistingFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring DroppedPath(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(static_cast<size_t>(length) + 1, L'\0');
  path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
  return path;
}

}  // namespace

CLumaqFwflashDlg::CLumaqFwflashDlg(PortLayer& ports, winui::Prompts& prompts, std::u16string programPath)
    : Dialog(IDD_FWFLASH), ports_(ports), prompts_(prompts), programPath_(std::move(programPath)) {}

CLumaqFwflashDlg::~CLumaqFwflashDlg() {
  ports_.ClearRunning();
  if (worker_.joinable()) worker_.join();
}

bool CLumaqFwflashDlg::OnInit() {
  icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FWFLASH));
  SetIcons(IDI_FWFLASH);
  if (const auto key = VendorKeyFromProgramName(ProgramStem(programPath_))) ports_.vendors().SetSlot0(*key);
  SetText(IDC_FWFLASH_PATH, kPathPlaceholder);
  SetText(IDC_FWFLASH_PORT_GROUP, kPortGroupCaption);
  SetText(IDC_FWFLASH_NET, kNetRadioText);
  SetText(IDC_FWFLASH_COM, kComRadioText);
  SetText(IDC_FWFLASH_FILE_GROUP, kFileGroupCaption);
  SetText(IDC_FWFLASH_BROWSE, kBrowseText);
  SetText(IDC_FWFLASH_START, kStartText);
  SetText(IDC_FWFLASH_START_GROUP, kStartGroupCaption);
  SetIpAddress(IDC_FWFLASH_ADDRESS, kDefaultAddress);
  FillLists();
  SetRadioIndex(IDC_FWFLASH_USB, static_cast<int>(Transport::Usb));
  for (int id : {IDC_FWFLASH_ADDRESS, IDC_FWFLASH_PORT_LIST, IDC_FWFLASH_BAUD_LIST, IDC_FWFLASH_START}) Enable(id, false);
  WSADATA winsock;
  WSAStartup(MAKEWORD(1, 1), &winsock);
  return true;
}

void CLumaqFwflashDlg::FillLists() {
  for (int port = 1; port <= kPortListSize; ++port) ComboAdd(IDC_FWFLASH_PORT_LIST, "COM" + std::to_string(port));
  for (uint32_t baud : kBaudValues) ComboAdd(IDC_FWFLASH_BAUD_LIST, std::to_string(baud));
  SetComboIndex(IDC_FWFLASH_PORT_LIST, 0);
  SetComboIndex(IDC_FWFLASH_BAUD_LIST, kDefaultBaudIndex);
}

void CLumaqFwflashDlg::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_FWFLASH_USB:
    case IDC_FWFLASH_COM:
    case IDC_FWFLASH_NET: OnTransportChoice(); break;
    case IDC_FWFLASH_BROWSE: OnBrowse(); break;
    case IDC_FWFLASH_START: OnStart(); break;
  }
}

void CLumaqFwflashDlg::EnableControls(bool enable) {
  for (int id : kInputControls) Enable(id, enable);
}

void CLumaqFwflashDlg::OnTransportChoice() {
  transport_ = RadioIndex(IDC_FWFLASH_USB);
  Enable(IDC_FWFLASH_ADDRESS, transport_ == static_cast<int>(Transport::Net));
  Enable(IDC_FWFLASH_PORT_LIST, transport_ == static_cast<int>(Transport::Com));
  Enable(IDC_FWFLASH_BAUD_LIST, transport_ == static_cast<int>(Transport::Com));
}

void CLumaqFwflashDlg::OnBrowse() {
  Enable(IDC_FWFLASH_BROWSE, false);
  winui::FileDialogOptions options;
  options.title = std::string(kOpenDialogTitle);
  options.filters = {{std::string(kOpenDialogFilterName), std::string(kOpenDialogFilterPattern)}};
  options.hideReadOnly = true;
  const std::optional<std::string> chosen = prompts_.OpenFile(hwnd(), options);
  if (chosen) {
    AcceptFile(winui::Widen(*chosen));
  } else {
    Enable(IDC_FWFLASH_START, true);  // the start refuses the path shown if it is no file
  }
  Enable(IDC_FWFLASH_BROWSE, true);
}

void CLumaqFwflashDlg::OnDropFiles(HDROP drop) {
  // a file dropped during an upgrade must not enable a second start
  if (upgradeRunning_) {
    DragFinish(drop);
    return;
  }
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  const std::wstring path = count == 1 ? DroppedPath(drop) : std::wstring();
  DragFinish(drop);
  // an empty list counts as one nameless file for some shells
  if (count != 1 || path.empty()) return Refuse(kSelectSingleFile);
  if (!IsExistingFile(path)) return Refuse(kSelectCorrectFile);
  AcceptFile(path);
}

void CLumaqFwflashDlg::AcceptFile(const std::wstring& path) {
  if (!IsValidFirmwareFile(std::filesystem::path(path))) return Refuse(kSelectValidFile);
  path_ = path;
  SetWideText(IDC_FWFLASH_PATH, path_);
  Enable(IDC_FWFLASH_START, true);
}

void CLumaqFwflashDlg::OnCancel() {
  if (upgradeRunning_) return prompts_.Message(hwnd(), kCloseRefusedDuringUpgrade);
  EndDialog(IDCANCEL);
}

void CLumaqFwflashDlg::Refuse(std::string_view message) {
  prompts_.Message(hwnd(), message);
  Enable(IDC_FWFLASH_START, false);
}

void CLumaqFwflashDlg::OnStart() {
  EnableControls(false);
  transport_ = RadioIndex(IDC_FWFLASH_USB);
  path_ = WideText(IDC_FWFLASH_PATH);
  const std::filesystem::path file(path_);
  LoadedImage loaded{LoadStatus::Invalid, std::nullopt};
  if (IsValidFirmwareFile(file)) loaded = LoadFirmwareImage(file);
  if (loaded.status != LoadStatus::Loaded) {
    prompts_.Message(hwnd(), loaded.status == LoadStatus::OutOfMemory ? kFileTooLargeForMemory : kSelectValidFile);
    EnableControls(true);
    return;
  }
  upgradeRunning_ = true;
  if (worker_.joinable()) worker_.join();  // the last upgrade has posted its end already
  worker_ = StartUpgradeThread(UpgradeJob{&ports_, Selection(), std::move(*loaded.image), windowLink()});
}

PortSelection CLumaqFwflashDlg::Selection() const {
  PortSelection selection;
  selection.transport = static_cast<Transport>(transport_ < 0 ? 0 : transport_);
  selection.portIndex = ComboIndex(IDC_FWFLASH_PORT_LIST);
  const int baud = ComboIndex(IDC_FWFLASH_BAUD_LIST);
  selection.baud = kBaudValues[baud < 0 ? kDefaultBaudIndex : static_cast<size_t>(baud)];
  selection.address = IpAddress(IDC_FWFLASH_ADDRESS);
  return selection;
}

void CLumaqFwflashDlg::OnUpgradeDone(UpgradeResult result) {
  upgradeRunning_ = false;
  prompts_.Message(hwnd(), UpgradeMessage(result));
  EnableControls(true);
}

bool CLumaqFwflashDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_FWFLASH_PROGRESS:
      SendDlgItemMessageW(hwnd(), IDC_FWFLASH_PROGRESS, PBM_SETPOS, wParam, 0);
      return true;
    case WM_FWFLASH_DONE:
      OnUpgradeDone(static_cast<UpgradeResult>(static_cast<int>(wParam)));
      return true;
    case WM_SYSCOMMAND:
      // the window keeps its size
      return (wParam & 0xFFF0) == SC_SIZE || (wParam & 0xFFF0) == SC_MAXIMIZE;
    case WM_PAINT:
      return PaintIconic();
    default:
      return false;
  }
}

bool CLumaqFwflashDlg::PaintIconic() {
  if (!IsIconic(hwnd())) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd(), &paint);
  RECT client;
  GetClientRect(hwnd(), &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(hwnd(), &paint);
  return true;
}

void ShowFwflashDialog(HWND owner, PortLayer& ports, winui::Prompts& prompts, std::u16string programPath) {
  CLumaqFwflashDlg(ports, prompts, std::move(programPath)).DoModal(owner);
}

}  // namespace fwflash
