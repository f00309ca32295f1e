#include "prtbench/app/SendQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <vector>

using prtbench::SendQueue;

TEST(SendQueue, RunsJobsInTheOrderTheyCame) {
  std::vector<int> order;
  std::promise<void> done;
  {
    SendQueue queue;
    for (int i = 0; i < 5; ++i) queue.Post([&order, i](const SendQueue::Cancelled&) { order.push_back(i); });
    queue.Post([&](const SendQueue::Cancelled&) { done.set_value(); });
    done.get_future().get();
    EXPECT_FALSE(queue.Busy() && order.size() != 5);
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(SendQueue, RunsJobsOffTheCallingThread) {
  SendQueue queue;
  std::promise<std::thread::id> where;
  queue.Post([&](const SendQueue::Cancelled&) { where.set_value(std::this_thread::get_id()); });
  EXPECT_NE(where.get_future().get(), std::this_thread::get_id());
}

TEST(SendQueue, CloseCancelsTheRunningJobAndDropsTheWaitingOnes) {
  SendQueue queue;
  std::promise<void> started;
  bool sawCancel = false;
  bool laterRan = false;
  queue.Post([&](const SendQueue::Cancelled& cancelled) {
    started.set_value();
    while (!cancelled()) std::this_thread::yield();
    sawCancel = true;
  });
  queue.Post([&](const SendQueue::Cancelled&) { laterRan = true; });
  started.get_future().get();
  EXPECT_TRUE(queue.Busy());
  queue.Close();
  EXPECT_TRUE(sawCancel);
  EXPECT_FALSE(laterRan);
  queue.Post([&](const SendQueue::Cancelled&) { laterRan = true; });
  EXPECT_FALSE(laterRan);
}

TEST(SendQueue, IsIdleWhenNothingWaits) {
  SendQueue queue;
  std::promise<void> done;
  queue.Post([&](const SendQueue::Cancelled&) { done.set_value(); });
  done.get_future().get();
  while (queue.Busy()) std::this_thread::yield();
  SUCCEED();
}

TEST(SendQueue, AJobThatThrowsIsReportedAndTheNextJobStillRuns) {
  std::atomic<int> failures{0};
  std::promise<void> nextRan;
  SendQueue queue([&failures] { ++failures; });
  queue.Post([](const SendQueue::Cancelled&) { throw std::length_error("vector::_M_default_append"); });
  queue.Post([&](const SendQueue::Cancelled&) { nextRan.set_value(); });
  nextRan.get_future().get();
  EXPECT_EQ(failures.load(), 1);
}
