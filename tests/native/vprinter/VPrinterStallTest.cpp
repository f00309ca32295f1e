// Streams that once held vprinter's loop or grew its memory: while one client
// streams, another connection is still served, and afterwards the process is
// under its memory cap and its log is short.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "PrintBench.h"
#include "support/VPrinterProcess.h"

namespace {

// AddressSanitizer's quarantine keeps freed blocks (up to 256 MiB), so the peak
// of a sanitized vprinter says nothing of its own caps.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakMeasuresVPrinter = false;
#else
constexpr bool kPeakMeasuresVPrinter = true;
#endif

using namespace testsupport;
using printbench::B;

// Sends `unit` over and over on its own connection, without reading, until
// told to stop once at least `minimum` bytes went; then closes.
class Streamer {
 public:
  Streamer(const std::string& source, std::string unit, size_t minimum)
      : fd_(ConnectTcp(source)), thread_([this, unit = std::move(unit), minimum] {
          std::string block;
          while (block.size() < 65536) block += unit;
          while ((!stop_ || sent_ < minimum) && SendAll(fd_, block)) sent_ += block.size();
          close(fd_);
        }) {}
  ~Streamer() { Finish(); }
  void Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  int fd_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> sent_{0};
  std::thread thread_;
};

// The status word answered to one 1B 76 00; empty when none came within a
// long guard time (the loop is held).
std::string StatusWord(const std::string& source) {
  const int fd = ConnectTcp(source);
  const timeval guard{20, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
  std::string word;
  char bytes[8];
  if (fd >= 0 && SendAll(fd, B({0x1B, 0x76, 0x00}))) {
    for (ssize_t n; word.size() < 4 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) word.append(bytes, n);
  }
  if (fd >= 0) close(fd);
  return word;
}

// The process's peak resident memory in KiB (VmHWM).
long PeakKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string key; status >> key;) {
    long value = 0;
    if (key == "VmHWM:" && status >> value) return value;
  }
  return -1;
}

class VPrinterStallTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run";
  }
};

TEST_F(VPrinterStallTest, WhileOneClientStreamsAnotherIsServedAndMemoryStaysCapped) {
  struct Case {
    const char* what;
    std::string unit;
    bool toStatusPort;
    size_t minimum;
    std::vector<std::string> flags = {};
  };
  // announce, a length of 4 GiB - 1, start, then what would be its data
  const std::string fwPrefix = B({0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0});
  const std::string hugeFirmware = fwPrefix + B({0x00, 0x01, 0x02, 0x03, 0x04}) + fwPrefix +
                                   B({0x01, 0xFF, 0xFF, 0xFF, 0xFF}) + fwPrefix + B({0x02}) + std::string(4000, 'U');
  const Case cases[] = {
      {"text", "Coffee 3.20 Tea 2.10 Cake 4.50 Water 1.00\n", false, 4u << 20},
      {"Wi-Fi frame starts", B({0x1F, 0x1B, 0x1F, 0xB3}), false, 10u << 20},
      {"empty bit images", B({0x1B, 0x2A, 0x00, 0x00, 0x00}), false, 20u << 20},
      {"status requests never read", B({0x1B, 0x76, 0x00}), true, 4u << 20},
      {"unknown bytes on the status port", "x", true, 4u << 20},
      {"firmware lengths over the cap", hugeFirmware, false, 96u << 20, {"--firmware"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--tcp", "127.0.0.65:0", "--status", "127.0.0.65:0"};
    arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
    VPrinterProcess printer(arguments);
    ASSERT_TRUE(printer.WaitReady());
    const long before = PeakKiB(printer.pid());
    {
      Streamer streamer(printer.Source(c.toStatusPort ? 1 : 0), c.unit, c.minimum);
      EXPECT_EQ(StatusWord(printer.Source(1)), B({0x14, 0x00, 0x00, 0x00})) << c.what;
      streamer.Finish();
    }
    EXPECT_TRUE(printer.WaitJournal(
        [](const Journal& j) { return std::count_if(j.begin(), j.end(), [](auto& e) { return e.kind == "close"; }) == 2; },
        120000))  // a sanitized build on a loaded machine takes its time over the backlog
        << c.what;
    if (kPeakMeasuresVPrinter) {
      EXPECT_LT(PeakKiB(printer.pid()) - before, 64 * 1024) << c.what;
    }
    EXPECT_LT(ReadFile(printer.dir() + "/printer.log").size(), 200000u) << c.what;
    EXPECT_EQ(printer.Stop(), 0) << c.what;
  }
}

}  // namespace
