// The window's state shared with worker threads: the counter's wrap, safe
// use from several threads, an outcome's words.
#include "prtbench/app/WindowState.h"

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

TEST(WindowState, StartsInChineseWithNothingSent) {
  prtbench::WindowState state;
  EXPECT_EQ(state.language(), prtbench::Language::Chinese);
  EXPECT_EQ(state.TotalBytes(), 0);
  EXPECT_EQ(state.Status(), "");
}

TEST(WindowState, AnOutcomeIsWordedInTheCurrentLanguageAndCountsOnlyItsSentBytes) {
  using prtbench::Language;
  using prtbench::Msg;
  const struct {
    Language language;
    prtbench::Outcome outcome;
    const char* status;
    std::int32_t total;  // the counter after it, from 3
  } rows[] = {
      {Language::English, {Msg::ComInvalid, "COM9", {}, {}}, "COM9 is invalid,Please re-select the serial port!", 3},
      {Language::Chinese, {Msg::PortTypeInvalid, {}, -7, {}}, "Printer.ini中的端口类型-7无效,请重新选择端口!", 3},
      {Language::English, {Msg::LptSendOk, "LPT2", {}, 4},
       "LPT2 send data successfully! current sended:4 bytes,total sended:7 bytes ", 7},
      {Language::Chinese, {Msg::NetSendOk, {}, {}, 0xFFFFFFFFu},
       "NET:发送数据成功! 本次发送发送数据:-1字节,总计发送数据:2字节 ", 2},
  };
  for (const auto& row : rows) {
    prtbench::WindowState state;
    state.Report({Msg::UsbSendOk, {}, {}, 3});
    state.SetLanguage(row.language);
    state.Report(row.outcome);
    EXPECT_EQ(state.Status(), row.status);
    EXPECT_EQ(state.TotalBytes(), row.total) << row.status;
  }
}

}  // namespace
