// The dialog driver: thread timers find the dialog by caption among this
// thread's windows, never by a search that could meet another process's window.
#include "DialogDriver.h"

#include <map>
#include <sstream>

#include "winui/Utf.h"

namespace configtest {
namespace {

struct Pending {
  std::string caption;
  std::function<void(HWND)> script;
};
std::map<UINT_PTR, Pending> g_pending;

struct Search {
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK FindByCaption(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  if (CaptionOf(window) != *search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = g_pending.find(id);
  if (it == g_pending.end()) return;
  Search search{&it->second.caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindByCaption, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;  // not shown yet: the timer fires again
  KillTimer(nullptr, id);
  const auto script = std::move(it->second.script);
  g_pending.erase(it);
  script(search.found);
}

}  // namespace

void WhenShown(const std::string& caption, std::function<void(HWND)> script) {
  const UINT_PTR id = SetTimer(nullptr, 0, 20, RunPending);
  g_pending[id] = {caption, std::move(script)};
}

std::string TextOf(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return winui::Narrow(text);
}

std::string CaptionOf(HWND dialog) {
  wchar_t caption[128] = {};
  GetWindowTextW(dialog, caption, 128);
  return winui::Narrow(caption);
}

void SetTextOf(HWND dialog, int id, const std::string& utf8) {
  SetDlgItemTextW(dialog, id, winui::Widen(utf8).c_str());
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Close(HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

bool IsOn(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool IsShown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

int Count(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0)); }

std::string Entry(HWND dialog, int id, int index) {
  wchar_t text[128] = {};
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return winui::Narrow(text);
}

void Choose(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

COLORREF StaticBackground(HWND dialog, int id) {
  HDC dc = GetDC(dialog);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
  ReleaseDC(dialog, dc);
  LOGBRUSH info{};
  if (!brush || !GetObjectW(brush, sizeof info, &info)) return CLR_INVALID;
  return info.lbColor;
}

bool IsOwnerDrawn(HWND dialog, int id) {
  return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

ConfigDialogTest::ConfigDialogTest() {
  app_.link.UpdateSettings([](prtbench::ConnectionSettings& s) { s.portType = prtbench::kPortLpt; });
  app_.shared.language = prtbench::Language::English;
}

// Each write of the scripted LPT device is logged "write <handle> <size> -> <taken>";
// the bytes taken follow one another in Received(handle).
std::vector<prtbench::Bytes> ConfigDialogTest::Sends() {
  app_.Drain();
  std::map<long long, size_t> offsets;
  std::vector<prtbench::Bytes> sends;
  for (const std::string& entry : app_.devices.Log()) {
    std::istringstream in(entry);
    std::string word, arrow, taken;
    long long handle = 0;
    size_t size = 0;
    if (!(in >> word >> handle >> size >> arrow >> taken) || word != "write" || taken == "fail") continue;
    const std::string all = app_.devices.Received(handle);
    const size_t count = std::stoul(taken);
    const std::string bytes = all.substr(offsets[handle], count);
    offsets[handle] += count;
    sends.emplace_back(bytes.begin(), bytes.end());
  }
  return sends;
}

std::string ConfigDialogTest::Stored(const std::string& section, const std::string& key) const {
  const std::string* value = app_.settings.Find(section, key);
  return value ? *value : "<missing>";
}

}  // namespace configtest
