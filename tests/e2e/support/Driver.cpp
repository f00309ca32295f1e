// Win32 calls that let a test act as the user of another program.
#include "Driver.h"

namespace e2e {
namespace {

struct Search {
  DWORD pid;
  const std::wstring* caption;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  if (search->className) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (wcscmp(name, search->className) != 0) return TRUE;
  }
  if (search->caption && !search->caption->empty()) {
    wchar_t text[512];
    GetWindowTextW(window, text, 512);
    if (*search->caption != text) return TRUE;
  }
  search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> Windows(DWORD pid, const std::wstring* caption, const wchar_t* className) {
  Search search{pid, caption, className, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace

Program::Program(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingDir) {
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
  }
}

Program::~Program() {
  Kill();
  if (process_) CloseHandle(process_);
}

std::optional<DWORD> Program::WaitExit(int timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void Program::Kill() {
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

HWND Program::WaitWindow(const std::wstring& caption, int timeoutMs, const wchar_t* className) const {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        const auto found = Windows(pid_, &caption, className);
        window = found.empty() ? nullptr : found.front();
        return window != nullptr;
      },
      timeoutMs);
  return window;
}

std::vector<HWND> Program::VisibleWindows() const { return Windows(pid_, nullptr, nullptr); }

// WM_GETTEXT, not GetWindowText: another process's edit box keeps its text to
// itself. The time-out keeps a hung program from hanging the test.
std::string ControlText(HWND dialog, int id) {
  std::wstring text(8192, L'\0');
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void SetControlText(HWND dialog, int id, const std::string& utf8) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool IsChecked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsControlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void SelectCombo(HWND dialog, int id, int index) {
  HWND combo = GetDlgItem(dialog, id);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::optional<MessageBoxInfo> WaitMessageBox(const Program& program, int timeoutMs) {
  std::optional<MessageBoxInfo> info;
  WaitUntil(
      [&] {
        for (HWND box : Windows(program.pid(), nullptr, L"#32770")) {
          HWND text = GetDlgItem(box, 0xFFFF);
          if (!text) continue;
          info = MessageBoxInfo{box, WindowText(box), WindowText(text)};
          return true;
        }
        return false;
      },
      timeoutMs);
  return info;
}

bool CloseMessageBox(HWND box, int timeoutMs) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  } else {
    PostMessageW(box, WM_CLOSE, 0, 0);
  }
  return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

}  // namespace e2e
