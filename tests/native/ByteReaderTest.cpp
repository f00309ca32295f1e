// ByteReader: exact values in both byte orders, and a sticky failure that
// never reads past the buffer.
#include "common/ByteReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace {

using kit::ByteReader;

// One record of every kind of field, each followed by bytes that would give
// a nonzero value if a failed read took them.
constexpr std::array<std::uint8_t, 20> kRecord = {
    0x9A,                    // U8
    0x34, 0x12,              // U16Le 0x1234
    0x12, 0x34,              // U16Be 0x1234
    0x78, 0x56, 0x34, 0x12,  // U32Le 0x12345678
    0x89, 0xAB, 0xCD, 0xEF,  // U32Be 0x89ABCDEF
    0x5C,                    // U8, small enough to fit after a failed U32
    0x42, 0x4D, 0x36,        // Array<3>
    0xEE, 0xEE,              // Skip(2)
    0x07,                    // U8
};

struct Field {
  std::size_t end;  // offset just past the field
  std::uint32_t value;
  std::function<std::uint32_t(ByteReader&)> read;
};

std::uint32_t ReadArray(ByteReader& r) {
  const auto a = r.Array<3>();
  return (std::uint32_t{a[0]} << 16) | (std::uint32_t{a[1]} << 8) | a[2];
}

const std::vector<Field> kFields = {
    {1, 0x9A, [](ByteReader& r) { return r.U8(); }},
    {3, 0x1234, [](ByteReader& r) { return r.U16Le(); }},
    {5, 0x1234, [](ByteReader& r) { return r.U16Be(); }},
    {9, 0x12345678, [](ByteReader& r) { return r.U32Le(); }},
    {13, 0x89ABCDEF, [](ByteReader& r) { return r.U32Be(); }},
    {14, 0x5C, [](ByteReader& r) { return r.U8(); }},
    {17, 0x424D36, ReadArray},
    {19, 0, [](ByteReader& r) { r.Skip(2); return std::uint32_t{0}; }},
    {20, 0x07, [](ByteReader& r) { return r.U8(); }},
};

TEST(ByteReader, EveryCutReadsTheWholeFieldsBeforeItAndZerosFromItOn) {
  for (std::size_t cut = 0; cut <= kRecord.size(); ++cut) {
    ByteReader reader{std::span(kRecord).first(cut)};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
      const Field& f = kFields[i];
      EXPECT_EQ(f.read(reader), f.end <= cut ? f.value : 0u) << "cut " << cut << ", field " << i;
    }
    EXPECT_EQ(reader.ok(), cut == kRecord.size()) << "cut " << cut;
    EXPECT_EQ(reader.remaining(), 0u) << "cut " << cut;
  }
}

TEST(ByteReader, HugeSkipFailsInsteadOfWrappingTheOffset) {
  ByteReader reader(kRecord);
  EXPECT_EQ(reader.U8(), 0x9A);
  reader.Skip(std::numeric_limits<std::size_t>::max());
  EXPECT_FALSE(reader.ok());
  EXPECT_EQ(reader.U16Le(), 0);
}

// Little- and big-endian encodings, written here by shifting, read back.
TEST(ByteReader, NumbersRoundTripInBothByteOrders) {
  for (const std::uint32_t value : {0u, 1u, 0x80u, 0xFFFFu, 0x01020304u, 0x89ABCDEFu, 0xFFFFFFFFu}) {
    std::vector<std::uint8_t> bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value));
    ByteReader reader(bytes);
    EXPECT_EQ(reader.U32Le(), value);
    EXPECT_EQ(reader.U32Be(), value);
    EXPECT_EQ(reader.U16Le(), value & 0xFFFF);
    EXPECT_EQ(reader.U16Be(), value & 0xFFFF);
    EXPECT_TRUE(reader.ok());
    EXPECT_EQ(reader.remaining(), 0u);
  }
}

}  // namespace
