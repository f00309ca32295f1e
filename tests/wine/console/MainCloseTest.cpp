// Closing the main window while its work runs: the settings are written
// first, a COM job in flight is cut short, and a Set New IP that moved the
// adapter skips its waits but still puts the adapter back.
#include "MainWindowFixture.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "prtbench/link/Ports.h"

namespace consoletest {
namespace {

using prtbench::MakeIpv4;

// The settings file, whose writes also land in an event list that the
// workers' doubles can wait on.
class EventStore : public linktest::FakeSettingsStore {
 public:
  bool WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    const bool written = FakeSettingsStore::WriteText(section, key, value);
    std::lock_guard lock(mutex_);
    saved_.push_back(std::string(section) + "/" + std::string(key));
    return written;
  }
  // Waits up to 5 s until the window has written `key` ("Section/Key").
  bool WaitSaved(const std::string& key) const {
    for (int waited = 0; waited < 5000; waited += 10) {
      {
        std::lock_guard lock(mutex_);
        if (std::find(saved_.begin(), saved_.end(), key) != saved_.end()) return true;
      }
      Sleep(10);
    }
    return false;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> saved_;
};

// The last key the window writes as it closes.
const std::string kLastKey = "Language Select/Language";

class CloseTest : public MainWindowTest {
 protected:
  void OpenOnEventStore() {
    prtbench::MainWindowServices services{link, socket, monitor, status, events_, prompts_, launcher_, {},
                                          [this] { return localIp_.load(); },
                                          [this] { return std::make_unique<nettest::LentAdapter>(adapter_); },
                                          clock_};
    window_ = std::make_unique<winui::Modeless<prtbench::CKALDRODlg>>(services);
    ASSERT_NE(window_->Create(nullptr), nullptr);
    main_ = window_->hwnd();
  }

  EventStore events_;
};

TEST_F(CloseTest, SettingsAreWrittenWhileAComJobIsInFlightAndTheJobIsCutShort) {
  events_.Put("Printer Set", "Port Select", "1");
  events_.Put("Printer Set", "BaudRate Select", "9600");
  OpenOnEventStore();
  std::atomic<int> writes{0};
  std::atomic<bool> savedDuringTheWrite{false};
  devices.onWrite = [&] {
    // the first piece is on the line as the window closes
    if (writes++ == 0) savedDuringTheWrite = events_.WaitSaved(kLastKey);
  };
  const std::string job(20000, 'x');
  SetText(IDC_MAIN_CONTENT, job);
  Click(IDC_MAIN_PRINT);
  PumpUntil([&] { return writes.load() > 0; });
  Close();
  EXPECT_TRUE(savedDuringTheWrite);
  EXPECT_EQ(CountLog("abort "), 1);
  // the piece in flight went out; none after it
  EXPECT_EQ(devices.Received(1).size(), prtbench::ComPieceSize(9600));
}

TEST_F(CloseTest, SetNewIpAcrossSubnetsSkipsItsWaitsAndStillPutsTheAdapterBack) {
  events_.Put("Printer Address", "IP", "192.168.123.100");
  OpenOnEventStore();
  localIp_ = MakeIpv4(192, 168, 1, 20);
  adapter_.adapter = prtbench::AdapterSettings{};
  std::atomic<bool> moved{false};
  onPause_ = [&](unsigned ms) {
    adapter_.calls.push_back("pause " + std::to_string(ms));
    if (ms != 5000) return;
    // the window closes during the adapter's wait; the queue hears of it
    // right after the settings are written
    moved = true;
    events_.WaitSaved(kLastKey);
    Sleep(200);
  };
  Click(IDC_MAIN_SET_IP);
  PumpUntil([&] { return moved.load(); });
  Close();
  EXPECT_EQ(adapter_.calls, (std::vector<std::string>{"find", "EnableStatic 192.168.123.253/255.255.255.0",
                                                      "SetGateways 192.168.1.1/1", "pause 5000", "EnableDHCP",
                                                      "SetGateways", "release"}));
  EXPECT_EQ(CountLog("connect 192.168.123.100:4000"), 0);
}

}  // namespace
}  // namespace consoletest
