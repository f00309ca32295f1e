// Message pumps, the modal script timer and the control helpers.
#include "support/DialogDriver.h"

#include <commctrl.h>

#include <utility>

#include "winui/Utf.h"

namespace testsupport {
namespace {

std::function<void(HWND)> g_modalScript;

BOOL CALLBACK FindModal(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring_view(className) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;  // not shown yet: the timer fires again
  KillTimer(nullptr, id);
  // taken out first, so that the script may set up the next one
  auto script = std::exchange(g_modalScript, nullptr);
  script(dialog);
}

std::string EntryText(HWND dialog, int id, int index) {
  const LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return winui::Narrow(text);
}

void Notify(HWND dialog, int id, int code) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

void PumpWaiting(int most) {
  MSG msg;
  for (int i = 0; i < most && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  for (const DWORD start = GetTickCount();;) {
    PumpWaiting();
    if (done()) return true;
    if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
    Sleep(1);
  }
}

void PumpFor(int milliseconds) { PumpUntil([] { return false; }, milliseconds); }

void WhenModal(std::function<void(HWND dialog)> script) {
  g_modalScript = std::move(script);
  SetTimer(nullptr, 0, 20, RunModalScript);
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return winui::Narrow(text);
}

std::string Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetText(HWND dialog, int id, std::string_view utf8) { SetDlgItemTextW(dialog, id, winui::Widen(utf8).c_str()); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

int ComboIndex(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

std::string ComboText(HWND dialog, int id) {
  const int index = ComboIndex(dialog, id);
  return index < 0 ? std::string() : EntryText(dialog, id, index);
}

std::vector<std::string> ComboEntries(HWND dialog, int id) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) entries.push_back(EntryText(dialog, id, i));
  return entries;
}

void SelectCombo(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Notify(dialog, id, CBN_SELCHANGE);
}

uint32_t IpAddress(HWND dialog, int id) {
  DWORD address = 0;
  SendDlgItemMessageW(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return address;
}

void TypeIpAddress(HWND dialog, int id, uint32_t address) {
  SendDlgItemMessageW(dialog, id, IPM_SETADDRESS, 0, address);
  Notify(dialog, id, EN_CHANGE);
}

}  // namespace testsupport
