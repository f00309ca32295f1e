// The receive buffer: replies four bytes at a time, bounded, safe across threads.
#include "fwflash/ReceiveBuffer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using fwflash::ReceiveBuffer;
using fwflash::Reply;
using Bytes = std::vector<uint8_t>;

TEST(ReceiveBuffer, ReplyWaitsForFourBytes) {
  ReceiveBuffer buffer;
  Reply reply{9, 9, 9, 9};
  buffer.Append(Bytes{1, 2, 3});
  EXPECT_FALSE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{9, 9, 9, 9}));
  EXPECT_EQ(buffer.count(), 3u);
  buffer.Append(Bytes{4});
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{1, 2, 3, 4}));
  EXPECT_EQ(buffer.count(), 0u);
}

TEST(ReceiveBuffer, BytesBeyondTheFourthAreDroppedWithTheReply) {
  ReceiveBuffer buffer;
  Reply reply{};
  buffer.Append(Bytes{1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{1, 2, 3, 4}));
  buffer.Append(Bytes{7, 8, 9, 10});
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{7, 8, 9, 10}));
}

TEST(ReceiveBuffer, OverflowKeepsTheFirstBytesAndNeverWritesPastTheEnd) {
  ReceiveBuffer buffer;
  Bytes flood(ReceiveBuffer::kCapacity + 100, 0xEE);
  flood[0] = 1;
  flood[1] = 2;
  flood[2] = 3;
  flood[3] = 4;
  buffer.Append(flood);
  EXPECT_EQ(buffer.count(), ReceiveBuffer::kCapacity);
  EXPECT_EQ(buffer.discarded(), 100u);
  buffer.Append(Bytes{5});
  EXPECT_EQ(buffer.discarded(), 101u);
  Reply reply{};
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{1, 2, 3, 4}));
  buffer.Append(Bytes{6, 7, 8, 9});  // room again after the take
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{6, 7, 8, 9}));
}

TEST(ReceiveBuffer, ClearForgetsWaitingBytes) {
  ReceiveBuffer buffer;
  buffer.Append(Bytes{1, 2});
  buffer.Clear();
  buffer.Append(Bytes{3, 4, 5, 6});
  Reply reply{};
  EXPECT_TRUE(buffer.TakeReply(reply));
  EXPECT_EQ(reply, (Reply{3, 4, 5, 6}));
}

TEST(ReceiveBuffer, ReaderAndTakerOnTwoThreadsLoseNoReply) {
  // the reader appends each reply one byte at a time while the taker polls;
  // each reply is taken whole before the next one starts arriving
  ReceiveBuffer buffer;
  std::atomic<int> taken{0};
  constexpr int kReplies = 300;
  std::vector<Reply> got;
  std::thread taker([&] {
    Reply reply{};
    while (taken.load() < kReplies) {
      if (buffer.TakeReply(reply)) {
        got.push_back(reply);
        taken.fetch_add(1);
      }
    }
  });
  for (int i = 0; i < kReplies; ++i) {
    for (uint8_t b = 0; b < 4; ++b) buffer.Append(Bytes{static_cast<uint8_t>(i + b)});
    while (taken.load() <= i) std::this_thread::yield();
  }
  taker.join();
  ASSERT_EQ(got.size(), static_cast<size_t>(kReplies));
  for (int i = 0; i < kReplies; ++i) {
    EXPECT_EQ(got[i], (Reply{static_cast<uint8_t>(i), static_cast<uint8_t>(i + 1), static_cast<uint8_t>(i + 2),
                             static_cast<uint8_t>(i + 3)}));
  }
}

}  // namespace
