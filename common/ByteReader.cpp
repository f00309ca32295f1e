// The bounds check every read of ByteReader goes through.
#include "common/ByteReader.h"

#include <algorithm>

namespace kit {

const std::uint8_t* ByteReader::Take(std::size_t count) {
  // compared with what is left, so a huge count cannot wrap the offset
  if (!ok_ || count > bytes_.size() - offset_) {
    ok_ = false;
    return nullptr;
  }
  const std::uint8_t* first = bytes_.data() + offset_;
  offset_ += count;
  return first;
}

std::uint32_t ByteReader::Number(std::size_t count, bool bigEndian) {
  const std::uint8_t* bytes = Take(count);
  if (!bytes) return 0;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t byte = bytes[bigEndian ? i : count - 1 - i];
    value = (value << 8) | byte;
  }
  return value;
}

std::uint8_t ByteReader::U8() { return static_cast<std::uint8_t>(Number(1, false)); }
std::uint16_t ByteReader::U16Le() { return static_cast<std::uint16_t>(Number(2, false)); }
std::uint16_t ByteReader::U16Be() { return static_cast<std::uint16_t>(Number(2, true)); }
std::uint32_t ByteReader::U32Le() { return Number(4, false); }
std::uint32_t ByteReader::U32Be() { return Number(4, true); }

void ByteReader::Read(std::span<std::uint8_t> out) {
  const std::uint8_t* bytes = Take(out.size());
  if (bytes) {
    std::copy_n(bytes, out.size(), out.begin());
  } else {
    std::fill(out.begin(), out.end(), 0);
  }
}

void ByteReader::Skip(std::size_t count) { Take(count); }

}  // namespace kit
