// Paper-saving frames for every button of every group.
#include <gtest/gtest.h>

#include "HexBytes.h"
#include "prtbench/config/SavePaper.h"

namespace {

using namespace prtbench;
using configtest::HexBytes;

TEST(SavePaper, EachGroupSendsItsFunctionAndValue) {
  const struct {
    SavePaperFunction function;
    int index;
    const char* expected;
  } cases[] = {
      {SavePaperFunction::TopBlank, 0, "1F 1B 1F 00 0A 00 00"},
      {SavePaperFunction::TopBlank, 1, "1F 1B 1F 00 0A 00 01"},
      {SavePaperFunction::MiddleBlank, 0, "1F 1B 1F 00 0A 01 00"},
      {SavePaperFunction::MiddleBlank, 1, "1F 1B 1F 00 0A 01 19"},
      {SavePaperFunction::LineSpace, 2, "1F 1B 1F 00 0A 02 32"},
      {SavePaperFunction::LineSpace, 3, "1F 1B 1F 00 0A 02 4B"},
      {SavePaperFunction::BarcodeHeight, 3, "1F 1B 1F 00 0A 03 4B"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SavePaperCommand(c.function, c.index), HexBytes(c.expected))
        << static_cast<int>(c.function) << " " << c.index;
  }
}

}  // namespace
