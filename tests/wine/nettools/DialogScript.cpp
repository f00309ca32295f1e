// The modal-loop script runner and the control readers.
#include "DialogScript.h"

namespace nettest {
namespace {

std::function<void(HWND)> g_script;
HWND g_dialog = nullptr;

BOOL CALLBACK FindOurDialog(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  g_dialog = window;
  return FALSE;
}

// Fires once the dialog runs: finds it among this thread's windows (never by
// a search that could meet another process's window) and runs the script.
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  g_dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOurDialog, 0);
  if (!g_dialog) return;  // not shown yet: the timer fires again
  KillTimer(nullptr, id);
  const auto script = std::move(g_script);
  script(g_dialog);
}

}  // namespace

void RunModal(const std::function<void()>& show, std::function<void(HWND)> script) {
  g_script = std::move(script);
  SetTimer(nullptr, 0, 20, RunScript);
  show();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
  return true;
}

std::string TextOf(HWND dialog, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(dialog, id, text, 512);
  return winui::Narrow(text);
}

std::string Caption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return winui::Narrow(text);
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool IsOn(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

std::vector<std::string> ComboEntries(HWND dialog, int id) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    texts.push_back(winui::Narrow(text));
  }
  return texts;
}

DWORD Address(HWND dialog, int id) {
  DWORD address = 0;
  SendDlgItemMessageW(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return address;
}

void SetAddress(HWND dialog, int id, DWORD address) { SendDlgItemMessageW(dialog, id, IPM_SETADDRESS, 0, address); }

}  // namespace nettest
