#include "prtbench/console/SerialNumber.h"

#include <gtest/gtest.h>

using prtbench::Bytes;

TEST(SerialNumber, TextsThatAreSerialNumbers) {
  struct Row {
    const char* text;
    bool valid;
    const char* prefix;
    int number;
  };
  const Row rows[] = {
      {"AB00123", true, "AB", 123},
      {"00001", true, "", 1},
      {"ABCDEFGHIJK99999", true, "ABCDEFGHIJK", 99999},   // 16 characters
      {"ABCDEFGHIJKL00001", false, "", 0},                // 17
      {"éèêëàâäôöûüçÉÈÊ1", false, "", 0},                 // last five are no digits
      {"éèêëàâäôöûü12345", true, "éèêëàâäôöûü", 12345},  // 16 characters in 27 bytes
      {"1234", false, "", 0},                             // four digits
      {"", false, "", 0},
      {"AB00000", false, "", 0},  // the number must be at least 1
      {"AB0012x", false, "", 0},
      {"AB 0012", false, "", 0},
      {"AB-0012", false, "", 0},
  };
  for (const Row& row : rows) {
    const auto serial = prtbench::ParseSerialNumber(row.text);
    ASSERT_EQ(serial.has_value(), row.valid) << row.text;
    if (!serial) continue;
    EXPECT_EQ(serial->prefix, row.prefix) << row.text;
    EXPECT_EQ(serial->number, row.number) << row.text;
  }
}

TEST(SerialNumber, CommandIsThePrefixTheAnsiLengthAndTheBytes) {
  EXPECT_EQ(prtbench::SerialNumberCommand("AB00123"),
            (Bytes{0x1F, 0x1B, 0x02, 0x13, 0x14, 0xBA, 0x77, 0x07, 'A', 'B', '0', '0', '1', '2', '3'}));
  // the length counts bytes of the system code page (1252 here), not UTF-8 bytes
  EXPECT_EQ(prtbench::SerialNumberCommand("é0001"),
            (Bytes{0x1F, 0x1B, 0x02, 0x13, 0x14, 0xBA, 0x77, 0x05, 0xE9, '0', '0', '0', '1'}));
}

TEST(SerialNumber, IncrementKeepsFiveDigitsAndGrowsPastThem) {
  struct Row {
    const char* text;
    const char* next;
  };
  const Row rows[] = {
      {"AB00123", "AB00124"},
      {"AB00009", "AB00010"},
      {"00001", "00002"},
      {"AB99999", "AB100000"},
      {"éè00001", "éè00002"},
  };
  for (const Row& row : rows) {
    const auto serial = prtbench::ParseSerialNumber(row.text);
    ASSERT_TRUE(serial) << row.text;
    EXPECT_EQ(prtbench::NextSerialNumber(*serial), row.next) << row.text;
  }
  // AB100000 ends in 00000: the next write is refused
  EXPECT_FALSE(prtbench::ParseSerialNumber("AB100000"));
}
