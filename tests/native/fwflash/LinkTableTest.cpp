// Link numbering: the table size on open, 0 for the last record, n for record n - 1.
#include "fwflash/LinkTable.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using Table = fwflash::LinkTable<std::string>;

TEST(LinkTable, OpeningHandsOutTheNewTableSize) {
  Table table;
  EXPECT_EQ(table.Add("COM3"), 1);
  EXPECT_EQ(table.Add("COM4"), 2);
  EXPECT_EQ(table.Add("COM12"), 3);
}

TEST(LinkTable, ZeroIsTheLastRecordAndNIsRecordNMinusOne) {
  Table table;
  table.Add("a");
  table.Add("b");
  table.Add("c");
  EXPECT_EQ(table.Find(0), "c");
  EXPECT_EQ(table.Find(1), "a");
  EXPECT_EQ(table.Find(2), "b");
  EXPECT_EQ(table.Find(3), "c");
}

TEST(LinkTable, NumbersBeyondTheTableAndAnEmptyTableFindNothing) {
  Table table;
  EXPECT_EQ(table.Find(0), std::nullopt);
  EXPECT_EQ(table.Find(1), std::nullopt);
  table.Add("a");
  EXPECT_EQ(table.Find(2), std::nullopt);
  EXPECT_EQ(table.Find(-1), std::nullopt);
  EXPECT_EQ(table.Remove(2), std::nullopt);
  EXPECT_EQ(table.Remove(-1), std::nullopt);
  EXPECT_EQ(table.size(), 1u);
}

TEST(LinkTable, RemovingMovesLaterRecordsDown) {
  Table table;
  table.Add("a");
  table.Add("b");
  table.Add("c");
  EXPECT_EQ(table.Remove(1), "a");
  EXPECT_EQ(table.Find(1), "b");
  EXPECT_EQ(table.Find(2), "c");
  EXPECT_EQ(table.Find(3), std::nullopt);
  EXPECT_EQ(table.Remove(0), "c");
  EXPECT_EQ(table.Find(0), "b");
  EXPECT_EQ(table.Add("d"), 2);
}

TEST(LinkTable, ConcurrentOpensGetDistinctNumbers) {
  Table table;
  std::vector<int> first(500), second(500);
  std::thread a([&] { for (auto& n : first) n = table.Add("a"); });
  std::thread b([&] { for (auto& n : second) n = table.Add("b"); });
  a.join();
  b.join();
  std::vector<int> all = first;
  all.insert(all.end(), second.begin(), second.end());
  std::sort(all.begin(), all.end());
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(all[i], i + 1);
}

}  // namespace
