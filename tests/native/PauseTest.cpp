#include "common/Pause.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

TEST(Pause, OverrideRecordsInsteadOfSleepingAndRestoresOnExit) {
  std::vector<unsigned> outer;
  kit::ScopedPauseOverride recordOuter([&](unsigned ms) { outer.push_back(ms); });
  {
    std::vector<unsigned> inner;
    kit::ScopedPauseOverride recordInner([&](unsigned ms) { inner.push_back(ms); });
    std::thread([] { kit::Pause(25); }).join();  // other threads see it too
    EXPECT_EQ(inner, std::vector<unsigned>{25});
  }
  kit::Pause(700);
  EXPECT_EQ(outer, std::vector<unsigned>{700});
}

TEST(Pause, PauseUnlessEndsOnceStopAnswersTrue) {
  std::atomic<bool> stop{false};
  auto paused = std::async(std::launch::async, [&] { return kit::PauseUnless(60000, [&] { return stop.load(); }); });
  stop.store(true);
  ASSERT_EQ(paused.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_TRUE(paused.get());
  EXPECT_FALSE(kit::PauseUnless(1, [] { return false; }));
}

TEST(Pause, PauseUnlessGoesThroughTheOverrideWithTheWholeTime) {
  std::vector<unsigned> recorded;
  kit::ScopedPauseOverride record([&](unsigned ms) { recorded.push_back(ms); });
  EXPECT_TRUE(kit::PauseUnless(5000, [] { return true; }));
  EXPECT_FALSE(kit::PauseUnless(3000, [] { return false; }));
  EXPECT_EQ(recorded, (std::vector<unsigned>{5000, 3000}));
}
