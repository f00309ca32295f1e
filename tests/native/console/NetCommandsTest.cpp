#include "prtbench/console/NetCommands.h"

#include <gtest/gtest.h>

using prtbench::Bytes;
using prtbench::MakeIpv4;

TEST(NetCommands, FramesCarryTheAddressFirstOctetFirst) {
  struct Row {
    const char* name;
    Bytes frame;
    Bytes expected;
  };
  const Row rows[] = {
      {"address over NET", prtbench::NewAddressNetCommand(MakeIpv4(192, 168, 1, 100)),
       {0x1F, 0x1B, 0x1F, 0x22, 0xC0, 0xA8, 0x01, 0x64}},
      {"address over the other ports", prtbench::NewAddressPortCommand(MakeIpv4(10, 0, 2, 255)),
       {0x1F, 0x1B, 0x1F, 0x91, 0x00, 0x49, 0x50, 0x0A, 0x00, 0x02, 0xFF}},
      {"identifier", prtbench::NewIdCommand(MakeIpv4(0, 0, 0x12, 0x34)),
       {0x1F, 0x1B, 0x1F, 0x33, 0x00, 0x00, 0x12, 0x34, 0x00}},
  };
  for (const Row& row : rows) EXPECT_EQ(row.frame, row.expected) << row.name;
}

TEST(NetCommands, SameSubnetComparesTheFirstThreeOctets) {
  struct Row {
    prtbench::Ipv4 local, printer;
    bool same;
  };
  const Row rows[] = {
      {MakeIpv4(192, 168, 1, 20), MakeIpv4(192, 168, 1, 100), true},
      {MakeIpv4(192, 168, 1, 20), MakeIpv4(192, 168, 123, 100), false},
      {MakeIpv4(10, 168, 1, 20), MakeIpv4(192, 168, 1, 20), false},
      {MakeIpv4(192, 167, 1, 1), MakeIpv4(192, 168, 1, 1), false},
      {MakeIpv4(127, 0, 0, 1), MakeIpv4(127, 0, 0, 255), true},
      {0, MakeIpv4(0, 0, 1, 0), false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(prtbench::SameSubnet24(row.local, row.printer), row.same) << std::hex << row.local << " " << row.printer;
  }
}
