// The Bluetooth frame with each part on and off, and texts of any length.
#include <gtest/gtest.h>

#include "HexBytes.h"
#include "prtbench/config/Bluetooth.h"

namespace {

using namespace prtbench;
using configtest::HexBytes;

constexpr char kHeaderAndName[] = "1F 1B 1F 62 74 73 0D 0A 41 54 2B 4E 41 4D 45";
constexpr char kTrailer[] = "0D 0A 0D 0A 00 00";

BluetoothRequest Request(bool name, bool pin, bool command) {
  return {name, pin, command, "AB", "1234", "AT+X\r\nAT+Y"};
}

TEST(BluetoothFrame, PartsFollowTheirSwitches) {
  const std::string header = kHeaderAndName;
  const struct {
    const char* what;
    BluetoothRequest request;
    std::string expected;
    size_t length;
  } cases[] = {
      {"name only", Request(true, false, false), header + " 41 42 " + kTrailer, 23},
      {"nothing", Request(false, false, false), header + " " + kTrailer, 21},
      {"PIN without name", Request(false, true, false), header + " 0D 0A 41 54 2B 50 49 4E 31 32 33 34 " + kTrailer,
       33},
      {"command right after the name", Request(true, false, true),
       header + " 41 42 41 54 2B 58 0D 0A 41 54 2B 59 " + kTrailer, 33},
      {"all three", Request(true, true, true),
       header + " 41 42 0D 0A 41 54 2B 50 49 4E 31 32 33 34 41 54 2B 58 0D 0A 41 54 2B 59 " + kTrailer, 45},
  };
  for (const auto& c : cases) {
    const Bytes frame = BluetoothCommand(c.request);
    EXPECT_EQ(frame, HexBytes(c.expected)) << c.what;
    EXPECT_EQ(frame.size(), c.length) << c.what;
  }
}

TEST(BluetoothFrame, LongTextsAreSentWhole) {
  BluetoothRequest request{true, true, true, std::string(600, 'n'), std::string(600, 'p'), std::string(5000, 'c')};
  const Bytes frame = BluetoothCommand(request);
  EXPECT_EQ(frame.size(), 15u + 600 + 8 + 600 + 5000 + 6);
  EXPECT_EQ(Bytes(frame.end() - 7, frame.end()), HexBytes("63 0D 0A 0D 0A 00 00"));
}

}  // namespace
