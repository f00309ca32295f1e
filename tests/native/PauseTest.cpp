#include "common/Pause.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <vector>

TEST(Pause, SleepingPauseUnlessEndsOnceStopAnswersTrue) {
  std::atomic<bool> stop{false};
  kit::SleepingClock clock;
  auto paused = std::async(std::launch::async, [&] { return clock.PauseUnless(60000, [&] { return stop.load(); }); });
  stop.store(true);
  ASSERT_EQ(paused.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_TRUE(paused.get());
  EXPECT_FALSE(clock.PauseUnless(1, [] { return false; }));
  EXPECT_FALSE(clock.PauseUnless(1, {}));
}

TEST(Pause, FunctionClockIsToldTheWholeTimeAndAsksStopAfter) {
  std::vector<unsigned> recorded;
  kit::FunctionClock clock([&](unsigned ms) { recorded.push_back(ms); });
  clock.Pause(25);
  EXPECT_TRUE(clock.PauseUnless(5000, [] { return true; }));
  EXPECT_FALSE(clock.PauseUnless(3000, [] { return false; }));
  EXPECT_EQ(recorded, (std::vector<unsigned>{25, 5000, 3000}));
}
