// The search thread on the datagram seam's double: the find, which replies
// reach the list, a port already taken, receive errors, one search at a time.
#include <gtest/gtest.h>

#include <mutex>

#include "FakeDatagramSockets.h"
#include "common/Pause.h"
#include "prtbench/nettools/PrinterSearch.h"

namespace {

using namespace prtbench;
using nettest::FakeDatagramSockets;

std::string Found(std::uint8_t lastMacByte) {
  std::string reply = "LM0001FOUND";
  reply += std::string("\x00\x1B\xA5\x3C\x7E", 5) + static_cast<char>(lastMacByte);
  reply += std::string("\x00\x00\x7F\x00\x00\x05\xFF\x00\x00\x00\x7F\x00\x00\x01\x8C\x23\x00", 17);
  return reply;
}

class PrinterSearchTest : public testing::Test {
 protected:
  PrinterSearch::Reports Reports() {
    return {[this](const FoundPrinter& printer) {
              std::lock_guard lock(mutex);
              found.push_back(MacText(printer.mac));
            },
            [this](Msg message, int error) {
              std::lock_guard lock(mutex);
              failures.push_back({message, error});
            }};
  }
  struct Failure {
    Msg message;
    int error;
    bool operator==(const Failure&) const = default;
  };

  FakeDatagramSockets sockets;
  kit::FunctionClock clock;
  PrinterSearch search{sockets, clock};
  std::mutex mutex;
  std::vector<std::string> found;
  std::vector<Failure> failures;
};

TEST_F(PrinterSearchTest, BroadcastsTheFindFromPort9000AndPassesOnlyFoundReplies) {
  search.Start(Reports());
  ASSERT_TRUE(sockets.WaitBroadcasts(1));
  EXPECT_EQ(sockets.Broadcasts(), (std::vector<std::string>{"9000>9000:LM0001FIND"}));
  sockets.Deliver("LM0001FIND");
  sockets.Deliver(Found(0x02));
  sockets.Deliver(Found(0x02).substr(0, 33));
  sockets.Deliver(Found(0x02) + "x");
  sockets.Deliver(std::string(300, 'L'));
  sockets.Deliver(Found(0x01));
  sockets.Deliver(Found(0x02));  // the list, not the search, drops repeats
  ASSERT_TRUE(sockets.WaitTaken());
  search.Stop();
  EXPECT_EQ(found, (std::vector<std::string>{"00-1B-A5-3C-7E-02", "00-1B-A5-3C-7E-01", "00-1B-A5-3C-7E-02"}));
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(sockets.openNow(), 0);
  EXPECT_FALSE(search.running());
}

TEST_F(PrinterSearchTest, APortThatCannotBeHadIsSaidAndTheSearchEnds) {
  const struct {
    bool noSocket;
    BindResult bind;
    Failure failure;
  } cases[] = {
      {false, BindResult::PortTaken, {Msg::DiscoveryPortTaken, 10048}},
      {false, BindResult::Failed, {Msg::DiscoveryNoSocket, 10048}},
      {true, BindResult::Bound, {Msg::DiscoveryNoSocket, 10048}},
  };
  for (const auto& c : cases) {
    failures.clear();
    sockets.noSocket = c.noSocket;
    sockets.binds = {c.bind};
    search.Start(Reports());
    for (int i = 0; i < 500 && search.running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(search.running());
    search.Stop();
    EXPECT_EQ(failures, (std::vector<Failure>{c.failure}));
    EXPECT_TRUE(sockets.Broadcasts().empty());
    EXPECT_EQ(sockets.openNow(), 0);
  }
}

TEST_F(PrinterSearchTest, EachReceiveErrorIsReportedOnceAndTheSearchGoesOn) {
  search.Start(Reports());
  ASSERT_TRUE(sockets.WaitBroadcasts(1));
  sockets.Deliver(std::nullopt, 10054);
  sockets.Deliver(std::nullopt, 10054);
  sockets.Deliver(std::nullopt, 10040);
  sockets.Deliver(Found(0x07));
  ASSERT_TRUE(sockets.WaitTaken());
  search.Stop();
  EXPECT_EQ(failures, (std::vector<Failure>{{Msg::DiscoveryReceiveError, 10054}, {Msg::DiscoveryReceiveError, 10040}}));
  EXPECT_EQ(found, (std::vector<std::string>{"00-1B-A5-3C-7E-07"}));
}

TEST_F(PrinterSearchTest, ASecondSearchStopsTheFirstSoOneSocketHoldsThePort) {
  search.Start(Reports());
  ASSERT_TRUE(sockets.WaitBroadcasts(1));
  search.Start(Reports());
  ASSERT_TRUE(sockets.WaitBroadcasts(2));
  EXPECT_EQ(sockets.mostOpenAtOnce(), 1);
  EXPECT_EQ(sockets.opened(), 2);
  EXPECT_TRUE(search.running());
  search.Stop();
  search.Stop();
  EXPECT_EQ(sockets.openNow(), 0);
}

}  // namespace
