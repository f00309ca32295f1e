// Drives a modal dialog from inside its own message loop: a thread timer
// finds the dialog among this thread's windows and runs the test's script on
// it; and the small readers and clicks the network tools' dialog tests share.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "winui/Utf.h"

namespace nettest {

// Runs `show` (which runs a modal dialog) and, once the dialog's window
// exists, `script` on it; the script must close the dialog.
void RunModal(const std::function<void()>& show, std::function<void(HWND)> script);

// Pumps this thread's messages until `done` holds or `timeoutMs` passed.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);

std::string TextOf(HWND dialog, int id);
std::string Caption(HWND window);
void Click(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsOn(HWND dialog, int id);
int Selection(HWND dialog, int id);
std::vector<std::string> ComboEntries(HWND dialog, int id);
DWORD Address(HWND dialog, int id);
void SetAddress(HWND dialog, int id, DWORD address);

}  // namespace nettest
