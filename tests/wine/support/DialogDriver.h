// Driving this process's dialogs in tests as a user would: clicks, texts,
// list choices and address boxes by control id, message pumping, and scripts
// that run inside a modal dialog's loop and end it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Delivers the messages waiting now, at most `most`: a window that keeps
// posting (automatic sending) would never let "until the queue is empty" come.
void PumpWaiting(int most = 100);
// Pumps until `done` holds; false when it still does not after `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 15000);
// Pumps for `milliseconds`, whatever comes.
void PumpFor(int milliseconds);

// Runs `script` on the dialog of this thread's next modal loop: a thread
// timer looks for this thread's visible, enabled dialog window (never for
// another process's) and hands it over once. Call it just before the call
// that runs the dialog; the script ends the dialog, e.g. Click(dialog, IDOK).
void WhenModal(std::function<void(HWND dialog)> script);

// Controls of `dialog` by id. Texts are UTF-8.
void Click(HWND dialog, int id);  // BM_CLICK: returns when the click's handler has
std::string WindowText(HWND window);
std::string Text(HWND dialog, int id);
void SetText(HWND dialog, int id, std::string_view utf8);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool Visible(HWND dialog, int id);
// The selected entry's index (-1 when none) and text (empty when none).
int ComboIndex(HWND dialog, int id);
std::string ComboText(HWND dialog, int id);
std::vector<std::string> ComboEntries(HWND dialog, int id);
// Selects entry `index` and tells the dialog, as a user's choice does.
void SelectCombo(HWND dialog, int id, int index);
// An IP address box, first octet in the most significant byte. Typing sets
// the address and tells the dialog; a program's IPM_SETADDRESS alone does not.
uint32_t IpAddress(HWND dialog, int id);
void TypeIpAddress(HWND dialog, int id, uint32_t address);

}  // namespace testsupport
