// What the configuration dialog tests share beside support/DialogDriver: a
// fixture whose link is an LPT port on the scripted devices, so every send's
// bytes can be read back, and readers of the dialogs' look.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "prtbench/base/Bytes.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"
#include "winui/WindowLink.h"

namespace configtest {

using namespace testsupport;

// WhenModal for the dialog titled `caption`: the script checks the title first.
void WhenShown(const std::string& caption, std::function<void(HWND)> script);
// Ends a dialog as Esc or its close box would.
void Close(HWND dialog);
// The brush colour the dialog gives static `id`.
COLORREF StaticBackground(HWND dialog, int id);
// Whether push button `id` is drawn by the dialog.
bool IsOwnerDrawn(HWND dialog, int id);

class ConfigDialogTest : public testing::Test {
 protected:
  ConfigDialogTest();
  ~ConfigDialogTest() override;
  // Waits for the send queue and returns what the dialogs had the main
  // window's status line show so far.
  std::vector<std::string> ShownInStatusLine();
  // Waits for the send queue and returns the bytes of each write so far.
  std::vector<prtbench::Bytes> Sends();
  std::string Status() const { return app_.context.status().Text(); }
  std::string Stored(const std::string& section, const std::string& key) const;

  TestContext app_;

 private:
  HWND statusWindow_;  // stands in for the main window, which shows the line
  std::shared_ptr<winui::WindowLink> statusLink_;
  std::vector<std::string> shown_;
};

}  // namespace configtest
