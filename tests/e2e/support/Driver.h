// Drives a real program under Wine from another process, like a user: start
// it, find its window by caption, set texts, click, read the status line, read
// and close message boxes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "winui/Utf.h"

namespace e2e {

// A started Windows program; killed on destruction if still running.
class Program {
 public:
  // Starts `exe` (Windows path) with `arguments` in `workingDir`.
  Program(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingDir);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  // Waits for the program to end; its exit code, or nullopt on time-out.
  std::optional<DWORD> WaitExit(int timeoutMs);
  bool Running() const;
  void Kill();

  // The first visible top-level window of this program with `caption` ("" for
  // any caption and `className` for any class); nullptr on time-out.
  HWND WaitWindow(const std::wstring& caption, int timeoutMs = 10000, const wchar_t* className = nullptr) const;
  // Top-level windows of this program that are visible now.
  std::vector<HWND> VisibleWindows() const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Text of control `id` in `dialog` (UTF-8), edit boxes included; "" if the
// program does not answer within 5 s.
std::string ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::string& utf8);
// Clicks a button without waiting for what the click opens (a message box
// would otherwise block the caller).
void Click(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// Selects combo entry `index` and tells the dialog, as a user's choice would.
void SelectCombo(HWND dialog, int id, int index);

// A message box of `program` (class #32770 with a static 0xFFFF); waits for it.
struct MessageBoxInfo {
  HWND box = nullptr;
  std::string caption;
  std::string text;
};
std::optional<MessageBoxInfo> WaitMessageBox(const Program& program, int timeoutMs = 10000);
// Presses the box's OK (or only) button and waits until it is gone.
bool CloseMessageBox(HWND box, int timeoutMs = 5000);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000) {
  for (int waited = 0;; waited += 20) {
    if (condition()) return true;
    if (waited >= timeoutMs) return false;
    Sleep(20);
  }
}

using winui::Narrow;
using winui::Widen;

}  // namespace e2e
