// Drives the configuration dialogs in-process: scripts that run inside a
// modal loop once a dialog with a given caption shows (nested dialogs too),
// control readers and clickers, and a fixture whose link is an LPT port on
// the scripted devices so every send's bytes can be read back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "prtbench/app/Bytes.h"
#include "support/TestContext.h"

namespace configtest {

// Runs `script` once a visible dialog of this thread titled `caption` exists;
// call it before the call that opens the dialog.
void WhenShown(const std::string& caption, std::function<void(HWND)> script);

std::string TextOf(HWND dialog, int id);
std::string CaptionOf(HWND dialog);
void SetTextOf(HWND dialog, int id, const std::string& utf8);
// BM_CLICK: returns after whatever the click opens has closed.
void Click(HWND dialog, int id);
void Close(HWND dialog);  // as Esc or the close box would
bool IsOn(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
int Selection(HWND dialog, int id);
int Count(HWND dialog, int id);
std::string Entry(HWND dialog, int id, int index);
// Selects entry `index` of a combo box and tells the dialog, as a user would.
void Choose(HWND dialog, int id, int index);
// The light background's brush colour for static `id`, and whether push
// button `id` is drawn by the dialog.
COLORREF StaticBackground(HWND dialog, int id);
bool IsOwnerDrawn(HWND dialog, int id);

class ConfigDialogTest : public testing::Test {
 protected:
  ConfigDialogTest();
  // Waits for the send queue and returns the bytes of each write so far.
  std::vector<prtbench::Bytes> Sends();
  std::string Status() const { return app_.shared.status.Get(); }
  std::string Stored(const std::string& section, const std::string& key) const;

  testsupport::TestContext app_;
};

}  // namespace configtest
