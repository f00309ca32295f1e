// The main window in-process, on the link layer's scripted devices and an
// in-memory settings file, with prompts recorded, pauses instant and the
// network adapter a double.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <dbt.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "FakeAdapterConfigurator.h"
#include "FakeSettingsStore.h"
#include "common/Pause.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/LinkRig.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace consoletest {

class MainWindowTest : public testing::Test, protected testsupport::LinkRig {
 protected:
  void TearDown() override { Close(); }

  // Creates the window (its start-up runs); the settings file holds what the
  // test put in `store` before.
  void Open() {
    window_ = std::make_unique<winui::Modeless<prtbench::CKALDRODlg>>(Services());
    ASSERT_NE(window_->Create(nullptr), nullptr);
    main_ = window_->hwnd();
  }
  // What the window works with: the fakes, and localIp_ as the computer's address.
  prtbench::MainWindowServices Services() {
    return {link,  socket, monitor, status, store_, prompts_, launcher_, {}, [this] { return localIp_.load(); },
            [this] { return std::make_unique<nettest::LentAdapter>(adapter_); }, clock_};
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
  // Delivers messages until `condition` holds.
  void PumpUntil(const std::function<bool()>& condition) { ASSERT_TRUE(testsupport::PumpUntil(condition)); }
  static void Pump() { testsupport::PumpWaiting(); }

  // The main window's controls, through the dialog driver.
  void Click(int id) { testsupport::Click(main_, id); }
  void Command(int id) { SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Select(int id, int index) { testsupport::SelectCombo(main_, id, index); }
  void SetText(int id, const std::string& utf8) { testsupport::SetText(main_, id, utf8); }
  std::string Text(int id) const { return testsupport::Text(main_, id); }
  std::string ComboText(int id) const { return testsupport::ComboText(main_, id); }
  bool Checked(int id) const { return testsupport::Checked(main_, id); }
  bool Enabled(int id) const { return testsupport::Enabled(main_, id); }
  bool Visible(int id) const { return testsupport::Visible(main_, id); }
  void SetPrinterIp(prtbench::Ipv4 address) { testsupport::TypeIpAddress(main_, IDC_MAIN_PRINTER_IP, address); }
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
    for (const std::string& entry : devices.Log()) {
      if (entry.rfind("connect ", 0) != 0 || entry.find("-> connected ") == std::string::npos) continue;
      const auto socket = std::stoll(entry.substr(entry.rfind(' ') + 1));
      bytes.push_back(devices.Received(static_cast<std::intptr_t>(socket)));
    }
    return bytes;
  }
  int CountLog(const std::string& prefix) const {
    int n = 0;
    for (const std::string& entry : devices.Log()) n += entry.rfind(prefix, 0) == 0;
    return n;
  }

  // The window's own pauses: none slept, each told to onPause_ (set it
  // before the job that pauses starts).
  std::function<void(unsigned)> onPause_ = [](unsigned) {};
  kit::FunctionClock clock_{[this](unsigned ms) { onPause_(ms); }};
  linktest::FakeSettingsStore store_;
  testsupport::RecordingPrompts prompts_;
  testsupport::RecordingLauncher launcher_;
  nettest::FakeAdapterConfigurator adapter_;  // read once the window's sends are done
  std::atomic<prtbench::Ipv4> localIp_{prtbench::MakeIpv4(127, 0, 0, 9)};
  std::unique_ptr<winui::Modeless<prtbench::CKALDRODlg>> window_;
  HWND main_ = nullptr;
};

inline constexpr prtbench::Ipv4 kLoopback = prtbench::MakeIpv4(127, 0, 0, 1);

}  // namespace consoletest
