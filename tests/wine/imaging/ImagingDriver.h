// What the imaging dialog tests add to support/DialogDriver.h: typing with
// its change notice, closing, hidden buttons, control sizes, the sends the
// link fake took, and BMP files drawn by the tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FakeLinkDevices.h"
#include "prtbench/base/Bytes.h"
#include "prtbench/imaging/Image.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"

namespace imagingtest {

// Runs `show` (a call that runs a modal dialog) with `script` working on the
// dialog inside its loop; the dialog is closed after the script.
void RunModal(const std::function<void()>& show, const std::function<void(HWND)>& script);

// Replaces an edit box's text as typing does, with its change notice.
void TypeInto(HWND dialog, int id, const std::string& utf8);
// Closes the dialog as Escape would.
void Close(HWND dialog);
// Sends the click's WM_COMMAND directly: for buttons the template hides.
void Command(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool on);
// A control's size in pixels.
SIZE ControlSize(HWND dialog, int id);
// Owner-drawn control `id` as the dialog draws it (WM_DRAWITEM into a bitmap
// of the control's size), its colours 0xBBGGRR.
prtbench::DecodedImage DrawnControl(HWND dialog, int id);

// Waits until the send queue is idle, then runs what the jobs handed back
// to the window.
void Settle(testsupport::TestContext& app);

// The bytes of each write or send the fake took, in order, from the
// `first` on (the fake's log must never be cleared).
std::vector<std::string> Sends(const linktest::FakeLinkDevices& devices, size_t first = 0);
std::string AsString(const prtbench::Bytes& bytes);

// The picture `black` draws, black on white.
prtbench::DecodedImage Picture(std::uint32_t width, std::uint32_t height,
                               const std::function<bool(std::uint32_t, std::uint32_t)>& black);
// Writes `image` as a 24-bit BMP to `unixPath`; its Windows path.
std::string WriteBmp(const std::string& unixPath, const prtbench::DecodedImage& image);

}  // namespace imagingtest
