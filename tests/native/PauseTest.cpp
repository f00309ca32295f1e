#include "common/Pause.h"

#include <gtest/gtest.h>

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
