// Dotted decimal addresses: what parses, what becomes 255.255.255.255.
#include "prtbench/link/Ipv4.h"

#include <gtest/gtest.h>

namespace {

using namespace prtbench;

TEST(Ipv4, ParsesDottedDecimalFirstOctetHighest) {
  EXPECT_EQ(ParseIpv4("192.168.123.100"), 0xC0A87B64u);
  EXPECT_EQ(ParseIpv4("0.0.0.0"), 0u);
  EXPECT_EQ(ParseIpv4("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseIpv4("127.0.0.001"), 0x7F000001u);
}

TEST(Ipv4, RefusesEverythingElse) {
  for (const char* bad : {"", "192.168.123", "192.168.123.100.1", "256.1.1.1", "1.2.3.4 ", " 1.2.3.4", "1..2.3",
                          "a.b.c.d", "1.2.3.4x", "1234.1.1.1", "-1.2.3.4", "1.2.3."}) {
    EXPECT_EQ(ParseIpv4(bad), std::nullopt) << bad;
  }
}

TEST(Ipv4, TextThatIsNoAddressBecomesAllOnes) {
  EXPECT_EQ(Ipv4OrAllOnes("printer"), 0xFFFFFFFFu);
  EXPECT_EQ(Ipv4OrAllOnes("10.0.0.7"), MakeIpv4(10, 0, 0, 7));
}

TEST(Ipv4, FormatsMostSignificantByteFirst) {
  EXPECT_EQ(FormatIpv4(0xC0A87B64u), "192.168.123.100");
  EXPECT_EQ(FormatIpv4(0), "0.0.0.0");
  EXPECT_EQ(FormatIpv4(0xFFFFFF00u), "255.255.255.0");
}

}  // namespace
