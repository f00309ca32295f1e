// Reads fields from a received or loaded buffer with one sticky error, so a
// parser reads every field and checks ok() once at the end: a truncated
// buffer can never be read past its end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kit {

class ByteReader {
 public:
  // The reader views `bytes`, which must outlive it.
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Each read takes the next bytes. A read or skip that does not fit in what
  // is left fails: it takes nothing and returns zeros, and so does every
  // later one, whatever its size.
  std::uint8_t U8();
  std::uint16_t U16Le();
  std::uint16_t U16Be();
  std::uint32_t U32Le();
  std::uint32_t U32Be();
  // Fills `out` with the next out.size() bytes (all zeros on failure).
  void Read(std::span<std::uint8_t> out);
  template <std::size_t N>
  std::array<std::uint8_t, N> Array() {
    std::array<std::uint8_t, N> out{};
    Read(out);
    return out;
  }
  void Skip(std::size_t count);

  // True while every read so far fitted.
  bool ok() const { return ok_; }
  // Bytes not yet read (0 after a failure).
  std::size_t remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }

 private:
  // The next `count` bytes, consumed; nullptr (and failed for good) when
  // they do not fit.
  const std::uint8_t* Take(std::size_t count);
  // The next `count` bytes as an unsigned number, most significant first
  // when `bigEndian`.
  std::uint32_t Number(std::size_t count, bool bigEndian);

  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};

}  // namespace kit
