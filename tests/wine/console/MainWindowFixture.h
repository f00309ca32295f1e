// The main window in-process, on the link layer's scripted devices and an
// in-memory settings file, with prompts recorded and pauses instant.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <dbt.h>

#include <memory>
#include <string>

#include "FakeLinkDevices.h"
#include "FakeSettingsStore.h"
#include "common/Pause.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/res/resource.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "winui/Utf.h"

namespace consoletest {

class MainWindowTest : public testing::Test {
 protected:
  void TearDown() override { Close(); }

  // Creates the window (its start-up runs); the settings file holds what the
  // test put in `store` before.
  void Open() {
    window_ = std::make_unique<winui::Modeless<prtbench::CKALDRODlg>>(prtbench::MainWindowServices{link_, store_, prompts_, launcher_, {}});
    ASSERT_NE(window_->Create(nullptr), nullptr);
    main_ = window_->hwnd();
  }
  // Destroys the window (its shutdown runs, settings are saved).
  void Close() {
    if (main_) DestroyWindow(main_);
    main_ = nullptr;
    window_.reset();
  }

  // Delivers the window's messages until its sends are done.
  void Settle() {
    for (;;) {
      Pump();
      if (!window_->Busy()) break;
      Sleep(1);
    }
    Pump();
  }
  // Delivers messages until `condition` holds (the test's own time-out catches a hang).
  template <typename Condition>
  void PumpUntil(Condition condition) {
    while (!condition()) {
      Pump();
      Sleep(1);
    }
  }
  // Delivers the messages waiting now, at most a bounded number: automatic
  // sending keeps posting status updates, so "until the queue is empty" may
  // never come.
  static void Pump() {
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  void Click(int id) { SendMessageW(GetDlgItem(main_, id), BM_CLICK, 0, 0); }
  void Command(int id) { SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Select(int id, int index) {
    HWND combo = GetDlgItem(main_, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  void SetText(int id, const std::string& utf8) { SetDlgItemTextW(main_, id, winui::Widen(utf8).c_str()); }
  std::string Text(int id) const {
    wchar_t text[4096] = {};
    GetDlgItemTextW(main_, id, text, 4096);
    return winui::Narrow(text);
  }
  std::string ComboText(int id) const {
    HWND combo = GetDlgItem(main_, id);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return winui::Narrow(text);
  }
  bool Checked(int id) const { return IsDlgButtonChecked(main_, id) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(main_, id)) != FALSE; }
  bool Visible(int id) const { return IsWindowVisible(GetDlgItem(main_, id)) != FALSE; }
  void SetPrinterIp(prtbench::Ipv4 address) {
    SendDlgItemMessageW(main_, IDC_MAIN_PRINTER_IP, IPM_SETADDRESS, 0, address);
    // a user's typing tells the window; a program's IPM_SETADDRESS does not
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(IDC_MAIN_PRINTER_IP, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(main_, IDC_MAIN_PRINTER_IP)));
  }
  // Sends a USB printer interface arrival or removal notice to the window.
  void UsbNotice(WPARAM event) {
    DEV_BROADCAST_DEVICEINTERFACE_W notice{};
    notice.dbcc_size = sizeof notice;
    notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    SendMessageW(main_, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice));
  }
  std::string Status() const { return Text(IDC_MAIN_STATUS_LINE); }

  // Bytes of every connection, in the order they were made.
  std::vector<std::string> Connections() const {
    std::vector<std::string> bytes;
    for (const std::string& entry : devices_.Log()) {
      if (entry.rfind("connect ", 0) != 0 || entry.find("-> connected ") == std::string::npos) continue;
      const auto socket = std::stoll(entry.substr(entry.rfind(' ') + 1));
      bytes.push_back(devices_.Received(static_cast<std::intptr_t>(socket)));
    }
    return bytes;
  }
  int CountLog(const std::string& prefix) const {
    int n = 0;
    for (const std::string& entry : devices_.Log()) n += entry.rfind(prefix, 0) == 0;
    return n;
  }

  kit::ScopedPauseOverride pauses_{[](unsigned) {}};
  linktest::FakeLinkDevices devices_;
  prtbench::SharedState shared_;
  prtbench::PrinterLink link_{devices_, shared_};
  linktest::FakeSettingsStore store_;
  testsupport::RecordingPrompts prompts_;
  testsupport::RecordingLauncher launcher_;
  std::unique_ptr<winui::Modeless<prtbench::CKALDRODlg>> window_;
  HWND main_ = nullptr;
};

inline constexpr prtbench::Ipv4 kLoopback = prtbench::MakeIpv4(127, 0, 0, 1);

}  // namespace prtbenchtest
