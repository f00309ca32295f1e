#include "prtbench/console/AutoSender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <new>
#include <vector>

using prtbench::AutoSender;
using prtbench::Bytes;

namespace {

// Records what the worker does; lets a test wait for the n-th send.
struct Recorder {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Bytes> sends;
  std::vector<int> counts;
  int ended = 0;
  int failAt = 0;  // the send number that fails; 0 = none

  AutoSender::Send Send() {
    return [this](const Bytes& b) {
      std::lock_guard lock(mutex);
      sends.push_back(b);
      changed.notify_all();
      return failAt == 0 || static_cast<int>(sends.size()) != failAt;
    };
  }
  AutoSender::Sent Sent() {
    return [this](int count) {
      std::lock_guard lock(mutex);
      counts.push_back(count);
    };
  }
  AutoSender::Ended Ended() {
    return [this] {
      std::lock_guard lock(mutex);
      ++ended;
      changed.notify_all();
    };
  }
  void WaitSends(size_t n) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return sends.size() >= n; });
  }
  void WaitEnded() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return ended > 0; });
  }
};

}  // namespace

TEST(AutoSender, SendsItsBufferEveryPeriodUntilStopped) {
  Recorder r;
  AutoSender sender;
  ASSERT_TRUE(sender.Start({0x41, 0x42, 0x43, 0x00}, 1, r.Send(), r.Sent(), r.Ended()));
  r.WaitSends(3);
  sender.StopAndWait();
  EXPECT_FALSE(sender.Running());
  EXPECT_EQ(r.ended, 1);
  for (const auto& b : r.sends) EXPECT_EQ(b, (Bytes{0x41, 0x42, 0x43, 0x00}));
  ASSERT_EQ(r.counts.size(), r.sends.size());
  for (size_t i = 0; i < r.counts.size(); ++i) EXPECT_EQ(r.counts[i], static_cast<int>(i) + 1);
}

TEST(AutoSender, FailedSendEndsTheRunWithoutCountingIt) {
  Recorder r;
  r.failAt = 3;
  AutoSender sender;
  ASSERT_TRUE(sender.Start({0x01}, 1, r.Send(), r.Sent(), r.Ended()));
  r.WaitEnded();
  sender.StopAndWait();
  EXPECT_EQ(r.sends.size(), 3u);
  EXPECT_EQ(r.counts, (std::vector<int>{1, 2}));
  EXPECT_EQ(r.ended, 1);
}

TEST(AutoSender, ASendThatThrowsEndsTheRunAsAFailedSendDoes) {
  Recorder r;
  AutoSender sender;
  ASSERT_TRUE(sender.Start({0x01}, 1, [](const Bytes&) -> bool { throw std::bad_alloc(); }, r.Sent(), r.Ended()));
  r.WaitEnded();
  sender.StopAndWait();
  EXPECT_TRUE(r.counts.empty());
  EXPECT_EQ(r.ended, 1);
}

TEST(AutoSender, StopEndsTheRunWithoutWaitingOutALongPeriod) {
  Recorder r;
  AutoSender sender;
  ASSERT_TRUE(sender.Start({0x01}, 3600 * 1000, r.Send(), r.Sent(), r.Ended()));
  r.WaitSends(1);
  sender.StopAndWait();  // would hang for an hour if the period were not interrupted
  EXPECT_EQ(r.sends.size(), 1u);
  EXPECT_EQ(r.ended, 1);
}

TEST(AutoSender, SecondStartIsRefusedWhileARunIsGoing) {
  Recorder first, second;
  AutoSender sender;
  ASSERT_TRUE(sender.Start({0x01}, 3600 * 1000, first.Send(), first.Sent(), first.Ended()));
  first.WaitSends(1);
  sender.Stop();
  // stopped but perhaps not ended yet: a second run never overlaps the first
  while (!sender.Start({0x02}, 3600 * 1000, second.Send(), second.Sent(), second.Ended())) {
    EXPECT_EQ(second.sends.size(), 0u);
    std::this_thread::yield();
  }
  second.WaitSends(1);
  sender.StopAndWait();
  EXPECT_EQ(first.ended, 1);
  EXPECT_EQ(first.sends.size(), 1u);
  EXPECT_EQ(second.sends, (std::vector<Bytes>{{0x02}}));
}

TEST(AutoSender, EndedMayStartTheNextRunFromAnotherThread) {
  // the window restarts a run when it hears Ended; Start must then succeed
  AutoSender sender;
  Recorder second;
  std::promise<bool> restarted;
  Recorder first;
  first.failAt = 1;
  ASSERT_TRUE(sender.Start({0x01}, 1, first.Send(), first.Sent(), [&] {
    std::thread([&] {
      restarted.set_value(sender.Start({0x02}, 3600 * 1000, second.Send(), second.Sent(), second.Ended()));
    }).detach();
  }));
  EXPECT_TRUE(restarted.get_future().get());
  second.WaitSends(1);
  sender.StopAndWait();
  EXPECT_EQ(second.sends, (std::vector<Bytes>{{0x02}}));
}

TEST(AutoSender, DestructionStopsARun) {
  Recorder r;
  {
    AutoSender sender;
    ASSERT_TRUE(sender.Start({0x01}, 3600 * 1000, r.Send(), r.Sent(), r.Ended()));
    r.WaitSends(1);
  }
  EXPECT_EQ(r.ended, 1);
}
