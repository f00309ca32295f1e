// Multi-part sends: one write per part, stopping at a failure or a closing queue.
#include <gtest/gtest.h>

#include "FakeLinkDevices.h"
#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/config/Send.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;

class SendInTurnTest : public testing::Test {
 protected:
  SendInTurnTest() {
    link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortLpt; });
  }
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const std::string& entry : devices.Log()) {
      if (entry.rfind("write", 0) == 0) writes.push_back(entry);
    }
    return writes;
  }

  FakeLinkDevices devices;
  kit::FunctionClock clock;
  WindowState state;
  PrinterLink link{devices, state, clock};
  const std::vector<Bytes> parts{{0x01}, {0x02, 0x03}, {0x04}};
};

TEST_F(SendInTurnTest, EveryPartGoesInItsOwnWriteInOrder) {
  EXPECT_TRUE(SendInTurn(link, parts, [] { return false; }));
  EXPECT_EQ(Writes().size(), 3u);
  EXPECT_EQ(devices.Received(1), std::string("\x01\x02\x03\x04"));
}

TEST_F(SendInTurnTest, AFailedPartStopsTheRest) {
  devices.writeResults = {1, std::nullopt};
  EXPECT_FALSE(SendInTurn(link, parts, [] { return false; }));
  EXPECT_EQ(Writes().size(), 2u);
}

TEST_F(SendInTurnTest, AClosingQueueStopsBetweenParts) {
  int asked = 0;
  EXPECT_FALSE(SendInTurn(link, parts, [&] { return ++asked > 1; }));
  EXPECT_EQ(Writes().size(), 1u);
}

}  // namespace

namespace {

TEST(FitsOneSend, SizesAreCheckedIn64BitsAgainstTheLargestBuffer) {
  constexpr std::uint64_t k32BitMaxSize = 0x7FFFFFFF;
  constexpr std::uint64_t k64BitMaxSize = 0x7FFFFFFFFFFFFFFF;
  const struct {
    std::uint64_t length;
    std::uint64_t largestBuffer;
    bool fits;
  } cases[] = {
      {0, k32BitMaxSize, true},
      {0x7FFFFFFF, k32BitMaxSize, true},
      {0x80000000, k32BitMaxSize, false},  // a 2-4 GiB file on the 32-bit build
      {0xFFFFFFFF, k32BitMaxSize, false},
      {0xFFFFFFFF, k64BitMaxSize, true},
      {0x100000000, k64BitMaxSize, false},  // SendData counts in 32 bits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(prtbench::FitsOneSend(c.length, c.largestBuffer), c.fits) << std::hex << c.length;
  }
}

}  // namespace
