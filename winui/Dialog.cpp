// Message dispatch, the modal loop and the control helpers of Dialog.
#include "winui/Dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <charconv>
#include <utility>

#include "winui/Utf.h"
#include "winui/XPButton.h"

namespace winui {
namespace {

constexpr wchar_t kDialogProperty[] = L"winui.Dialog";

Dialog* DialogOf(HWND hwnd) {
  return hwnd ? static_cast<Dialog*>(GetPropW(hwnd, kDialogProperty)) : nullptr;
}

bool IsRadio(HWND control) {
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

Dialog::Dialog(int templateId, HINSTANCE instance)
    : templateId_(templateId), instance_(instance ? instance : GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
  // Modeless<T> and DoModal destroy the window while the whole object lives;
  // one still here was left by a handler that deleted its own dialog, so cut
  // it loose before destroying it: no message may reach a half-gone object.
  if (HWND window = hwnd_.exchange(nullptr)) {
    RemovePropW(window, kDialogProperty);
    windowLink_->Detach();
    DestroyWindow(window);
  }
  if (lightBrush_) DeleteObject(lightBrush_);
  for (HFONT font : fonts_) DeleteObject(font);
}

INT_PTR Dialog::DoModal(HWND owner) {
  modal_ = true;
  result_ = IDCANCEL;
  if (!CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, StaticProc,
                          reinterpret_cast<LPARAM>(this))) {
    return -1;
  }
  const bool disableOwner = owner && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  RunModalLoop();
  // re-enable the owner before destroying, so activation returns to it
  if (disableOwner) EnableWindow(owner, TRUE);
  if (hwnd_) DestroyWindow(hwnd_);
  return result_;
}

HWND Dialog::CreateModeless(HWND owner) {
  modal_ = false;
  return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, StaticProc,
                            reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  if (modal_) {
    modalRunning_ = false;
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the loop
  } else if (hwnd_) {
    DestroyWindow(hwnd_);
  }
}

void Dialog::RunModalLoop() {
  modalRunning_ = true;
  MSG msg;
  while (modalRunning_ && hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // let outer loops see it too
      break;
    }
    if (got < 0) break;
    Dialog* target = DialogOf(GetAncestor(msg.hwnd, GA_ROOT));
    if (target && target->PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool Dialog::PreTranslateMessage(MSG& message) { return IsDialogMessageW(hwnd_, &message); }

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = DialogOf(hwnd);
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    self->RememberItems();
    self->windowLink_ = std::make_shared<WindowLink>(hwnd);
    SetPropW(hwnd, kDialogProperty, self);
  }
  if (!self) return FALSE;
  const INT_PTR handled = self->Proc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd, kDialogProperty);
    self->hwnd_ = nullptr;
    self->modalRunning_ = false;
  }
  return handled;
}

INT_PTR Dialog::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, result)) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case kWindowLinkMessage:
      windowLink_->RunPending();
      return TRUE;
    case WM_INITDIALOG:
      return OnInit() ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDOK && code == BN_CLICKED) {
        OnOk();
      } else if (id == IDCANCEL && code == BN_CLICKED) {
        OnCancel();
      } else {
        OnCommand(id, code);
      }
      return TRUE;
    }
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      windowLink_->Detach();
      return TRUE;
    case WM_DRAWITEM:
      return OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    case WM_ERASEBKGND:
      if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_DEVICECHANGE:
      if (OnDeviceChange(wParam, lParam)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

bool Dialog::OnDrawItem(int, const DRAWITEMSTRUCT& item) {
  for (auto& button : buttons_) {
    if (button->hwnd() == item.hwndItem) {
      button->DrawItem(item);
      return true;
    }
  }
  return false;
}

HBRUSH Dialog::OnCtlColor(HDC dc, HWND, UINT message) {
  if (!lightBrush_ || message != WM_CTLCOLORSTATIC) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  return lightBrush_;
}

bool Dialog::OnEraseBackground(HDC dc) {
  if (!lightBrush_) return false;
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, lightBrush_);
  return true;
}

void Dialog::UseLightBackground() {
  if (!lightBrush_) lightBrush_ = CreateSolidBrush(kLightBackground);
}

void Dialog::AttachXPButton(int id) {
  auto button = std::make_unique<CXPButton>();
  button->Attach(Item(id));
  buttons_.push_back(std::move(button));
}

void Dialog::SetFont(int id, const FontSpec& style) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  HFONT font = CreateFontW(MulDiv(style.height, dpi, 96), 0, 0, 0, style.weight, style.italic, style.underline, FALSE,
                           style.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, style.pitchAndFamily,
                           style.face);
  if (!font) return;
  fonts_.push_back(font);
  SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Dialog::SetIcons(int iconId) {
  HINSTANCE module = instance_ ? instance_ : GetModuleHandleW(nullptr);
  for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int size = GetSystemMetrics(metric);
    HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
    SendMessageW(hwnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

HWND Dialog::Item(int id) const {
  const auto known = items_.find(id);
  const bool stillThere = known != items_.end() && IsWindow(known->second) && GetParent(known->second) == hwnd_ &&
                          GetDlgCtrlID(known->second) == id;
  if (stillThere) return known->second;
  return GetDlgItem(hwnd_, id);
}

// Wine's GetDlgItem asks the window server for the whole list of children at
// each call, which made a long list take milliseconds to fill: the controls
// the template made are looked up once. Written at WM_INITDIALOG, before any
// handler runs, and only read afterwards, so workers may call Item too.
void Dialog::RememberItems() {
  items_.clear();
  EnumChildWindows(hwnd_, RememberItem, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK Dialog::RememberItem(HWND child, LPARAM self) {
  auto* dialog = reinterpret_cast<Dialog*>(self);
  // the first control of an id, as GetDlgItem finds it; not the controls' own children
  if (GetParent(child) == dialog->hwnd_) dialog->items_.emplace(GetDlgCtrlID(child), child);
  return TRUE;
}

std::wstring Dialog::WideText(int id) const {
  HWND control = Item(id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Dialog::Text(int id) const { return Narrow(WideText(id)); }

void Dialog::SetWideText(int id, std::wstring_view text) {
  SetWindowTextW(Item(id), std::wstring(text).c_str());
}

void Dialog::SetText(int id, std::string_view utf8) { SetWideText(id, Widen(utf8)); }

std::optional<int> Dialog::Int(int id) const {
  std::string text = Text(id);
  const size_t first = text.find_first_not_of(" \t");
  const size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  text = text.substr(first, last - first + 1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data() + (text[0] == '+' ? 1 : 0), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

void Dialog::SetInt(int id, int value) { SetWideText(id, std::to_wstring(value)); }

bool Dialog::Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Dialog::SetChecked(int id, bool checked) {
  SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Dialog::RadioIndex(int firstId) const {
  int index = 0;
  for (HWND control = Item(firstId); control && IsRadio(control);
       control = GetWindow(control, GW_HWNDNEXT), ++index) {
    if (index > 0 && (GetWindowLongW(control, GWL_STYLE) & WS_GROUP)) break;
    if (Button_GetCheck(control) == BST_CHECKED) return index;
  }
  return -1;
}

void Dialog::SetRadioIndex(int firstId, int index) {
  int i = 0;
  for (HWND control = Item(firstId); control && IsRadio(control);
       control = GetWindow(control, GW_HWNDNEXT), ++i) {
    if (i > 0 && (GetWindowLongW(control, GWL_STYLE) & WS_GROUP)) break;
    Button_SetCheck(control, i == index ? BST_CHECKED : BST_UNCHECKED);
  }
}

int Dialog::ComboIndex(int id) const {
  const LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Dialog::SetComboIndex(int id, int index) { SendMessageW(Item(id), CB_SETCURSEL, index, 0); }

std::string Dialog::ComboText(int id) const {
  const int index = ComboIndex(id);
  if (index < 0) return {};
  const LRESULT length = SendMessageW(Item(id), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void Dialog::ComboReset(int id) { SendMessageW(Item(id), CB_RESETCONTENT, 0, 0); }

void Dialog::ComboAdd(int id, std::string_view utf8) {
  SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
}

int Dialog::ListIndex(int id) const {
  const LRESULT index = SendMessageW(Item(id), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Dialog::SetListIndex(int id, int index) { SendMessageW(Item(id), LB_SETCURSEL, index, 0); }

std::string Dialog::ListText(int id) const {
  const int index = ListIndex(id);
  if (index < 0) return {};
  const LRESULT length = SendMessageW(Item(id), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Item(id), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void Dialog::ListReset(int id) { SendMessageW(Item(id), LB_RESETCONTENT, 0, 0); }

void Dialog::ListAdd(int id, std::string_view utf8) {
  SendMessageW(Item(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
}

int Dialog::ComboSelectPrefix(int id, std::string_view prefix) {
  const std::wstring wide = Widen(prefix);
  const LRESULT index =
      SendMessageW(Item(id), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

uint32_t Dialog::IpAddress(int id) const {
  DWORD address = 0;
  SendMessageW(Item(id), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return address;
}

void Dialog::SetIpAddress(int id, uint32_t address) { SendMessageW(Item(id), IPM_SETADDRESS, 0, address); }

void Dialog::Enable(int id, bool enabled) { EnableWindow(Item(id), enabled ? TRUE : FALSE); }

bool Dialog::IsEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

void Dialog::Show(int id, bool shown) { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }

void Dialog::MoveControl(int id, int x, int y, int width, int height) {
  MoveWindow(Item(id), x, y, width, height, TRUE);
}

void Dialog::StartTimer(UINT_PTR id, unsigned milliseconds) { SetTimer(hwnd_, id, milliseconds, nullptr); }

void Dialog::StopTimer(UINT_PTR id) { KillTimer(hwnd_, id); }

}  // namespace winui
