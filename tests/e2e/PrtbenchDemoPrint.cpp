// The main job's hands on a headless screen: finds the running prtbench
// window, presses Print (or closes the window) as a user would, and prints
// the status line it then shows. Not a test; scripts/run.sh runs it.
//   prtbench_demo_print print [chinese]   press Print, print the status line
//   prtbench_demo_print close             close the window (settings are saved)
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/Driver.h"

namespace {

constexpr int kPrint = 1031, kStatus = 1105, kChineseCommand = 32840;

HWND FindMainWindow() {
  HWND window = nullptr;
  e2e::WaitUntil([&] { return (window = FindWindowW(L"#32770", L"Corvane Printer Tool")) != nullptr; }, 30000);
  return window;
}

int Print(HWND window, bool chinese) {
  if (chinese) SendMessageW(window, WM_COMMAND, MAKEWPARAM(kChineseCommand, 0), 0);
  const std::string before = e2e::ControlText(window, kStatus);
  e2e::Click(window, kPrint);
  std::string after;
  // a connect that fails takes up to three time-outs and a second of pauses
  e2e::WaitUntil([&] { return (after = e2e::ControlText(window, kStatus)) != before; }, 20000);
  std::fwrite(after.data(), 1, after.size(), stdout);
  std::fputc('\n', stdout);
  return after == before ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"print";
  HWND window = FindMainWindow();
  if (!window) {
    std::fputs("prtbench's window did not appear\n", stderr);
    return 2;
  }
  if (mode == L"close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return Print(window, argc > 2 && std::wstring(argv[2]) == L"chinese");
}
