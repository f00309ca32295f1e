// The values shared with worker threads: the counter's wrap, safe use from
// several threads.
#include "prtbench/link/Shared.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

namespace {

using prtbench::ByteCounter;

TEST(ByteCounter, WrapsAsThirtyTwoBitSigned) {
  ByteCounter counter;
  EXPECT_EQ(counter.Add(std::numeric_limits<std::int32_t>::max()), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(counter.Add(1), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(counter.Get(), std::numeric_limits<std::int32_t>::min());
  counter.Reset();
  EXPECT_EQ(counter.Add(0xFFFFFFFFu), -1);
  EXPECT_EQ(counter.Add(2), 1);
}

TEST(ByteCounter, AddsFromManyThreadsWithoutLosingCounts) {
  ByteCounter counter;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) counter.Add(3);
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter.Get(), 4 * 10000 * 3);
}

TEST(StatusText, ReadersSeeWholeTextsWhileWritersChangeIt) {
  prtbench::StatusText status;
  const std::string a(200, 'a');
  const std::string b(300, 'b');
  std::thread writer([&] {
    for (int i = 0; i < 2000; ++i) status.Set(i % 2 ? a : b);
  });
  for (int i = 0; i < 2000; ++i) {
    const std::string seen = status.Get();
    EXPECT_TRUE(seen.empty() || seen == a || seen == b);
  }
  writer.join();
}

TEST(SharedState, StartsInChineseWithNothingSent) {
  prtbench::SharedState shared;
  EXPECT_EQ(shared.language.load(), prtbench::Language::Chinese);
  EXPECT_EQ(shared.totalBytes.Get(), 0);
  EXPECT_EQ(shared.status.Get(), "");
}

}  // namespace
