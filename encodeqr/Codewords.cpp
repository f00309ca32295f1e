// Capacity tables, bit stream and Reed-Solomon blocks of QR symbols.
#include "encodeqr/Codewords.h"

#include <algorithm>
#include <array>

namespace encodeqr {
namespace {

// Error correction codewords per block, by level (Low..High) and version (index 0 unused).
constexpr std::array<std::array<std::int8_t, 41>, 4> kEccPerBlock{{
    {-1, 7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {-1, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {-1, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {-1, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
}};

// Error correction blocks, by level and version.
constexpr std::array<std::array<std::int8_t, 41>, 4> kBlocks{{
    {-1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {-1, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {-1, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {-1, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
}};

int EccPerBlock(int version, Ecc ecc) { return kEccPerBlock[static_cast<size_t>(ecc)][static_cast<size_t>(version)]; }
int Blocks(int version, Ecc ecc) { return kBlocks[static_cast<size_t>(ecc)][static_cast<size_t>(version)]; }

// GF(256) with the field polynomial x^8 + x^4 + x^3 + x^2 + 1.
std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
  unsigned product = 0;
  for (int bit = 7; bit >= 0; --bit) {
    product = (product << 1) ^ ((product >> 7) * 0x11D);
    product ^= ((b >> bit) & 1) * a;
  }
  return static_cast<std::uint8_t>(product);
}

// Coefficients of (x - a^0)(x - a^1)...(x - a^(degree-1)), highest power
// first with its leading 1 left out.
std::vector<std::uint8_t> Generator(int degree) {
  std::vector<std::uint8_t> result(static_cast<size_t>(degree), 0);
  result.back() = 1;
  std::uint8_t root = 1;
  for (int i = 0; i < degree; ++i) {
    for (size_t j = 0; j < result.size(); ++j) {
      result[j] = Multiply(result[j], root);
      if (j + 1 < result.size()) result[j] ^= result[j + 1];
    }
    root = Multiply(root, 0x02);
  }
  return result;
}

// The remainder of data x^degree divided by the generator: the block's error correction.
std::vector<std::uint8_t> Remainder(std::span<const std::uint8_t> data, const std::vector<std::uint8_t>& generator) {
  std::vector<std::uint8_t> result(generator.size(), 0);
  for (std::uint8_t byte : data) {
    const std::uint8_t factor = byte ^ result.front();
    result.erase(result.begin());
    result.push_back(0);
    for (size_t i = 0; i < result.size(); ++i) result[i] ^= Multiply(generator[i], factor);
  }
  return result;
}

class BitWriter {
 public:
  void Put(unsigned value, int bits) {
    for (int i = bits - 1; i >= 0; --i) bits_.push_back(static_cast<std::uint8_t>((value >> i) & 1));
  }
  size_t size() const { return bits_.size(); }
  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> bytes(bits_.size() / 8, 0);
    for (size_t i = 0; i < bytes.size() * 8; ++i) bytes[i / 8] |= static_cast<std::uint8_t>(bits_[i] << (7 - i % 8));
    return bytes;
  }

 private:
  std::vector<std::uint8_t> bits_;
};

}  // namespace

int RawCodewords(int version) {
  int modules = (16 * version + 128) * version + 64;
  if (version >= 2) {
    const int alignments = version / 7 + 2;
    modules -= (25 * alignments - 10) * alignments - 55;
    if (version >= 7) modules -= 36;  // the two version information blocks
  }
  return modules / 8;
}

int DataCodewords(int version, Ecc ecc) { return RawCodewords(version) - EccPerBlock(version, ecc) * Blocks(version, ecc); }

std::vector<std::uint8_t> DataStream(std::span<const std::uint8_t> data, int version, Ecc ecc) {
  const size_t capacityBits = static_cast<size_t>(DataCodewords(version, ecc)) * 8;
  BitWriter bits;
  bits.Put(0x4, 4);
  bits.Put(static_cast<unsigned>(data.size()), version < 10 ? 8 : 16);
  for (std::uint8_t byte : data) bits.Put(byte, 8);
  bits.Put(0, static_cast<int>(std::min<size_t>(4, capacityBits - bits.size())));
  bits.Put(0, static_cast<int>((8 - bits.size() % 8) % 8));
  for (std::uint8_t pad = 0xEC; bits.size() < capacityBits; pad ^= 0xEC ^ 0x11) bits.Put(pad, 8);
  return bits.Bytes();
}

std::vector<std::uint8_t> InterleavedCodewords(const std::vector<std::uint8_t>& dataStream, int version, Ecc ecc) {
  const int blocks = Blocks(version, ecc);
  const int eccLength = EccPerBlock(version, ecc);
  const int raw = RawCodewords(version);
  const int shortBlocks = blocks - raw % blocks;
  const int shortData = raw / blocks - eccLength;  // long blocks carry one data byte more
  const std::vector<std::uint8_t> generator = Generator(eccLength);

  // split into blocks; a short block's missing last data byte stays a gap
  std::vector<std::vector<std::uint8_t>> split;
  size_t offset = 0;
  for (int b = 0; b < blocks; ++b) {
    const size_t length = static_cast<size_t>(shortData + (b < shortBlocks ? 0 : 1));
    std::span<const std::uint8_t> piece(dataStream.data() + offset, length);
    offset += length;
    std::vector<std::uint8_t> block(piece.begin(), piece.end());
    if (b < shortBlocks) block.push_back(0);
    const std::vector<std::uint8_t> check = Remainder(piece, generator);
    block.insert(block.end(), check.begin(), check.end());
    split.push_back(std::move(block));
  }

  // column by column across the blocks, skipping the short blocks' gap
  std::vector<std::uint8_t> result;
  for (size_t i = 0; i < split.front().size(); ++i) {
    for (int b = 0; b < blocks; ++b) {
      if (i == static_cast<size_t>(shortData) && b < shortBlocks) continue;
      result.push_back(split[static_cast<size_t>(b)][i]);
    }
  }
  return result;
}

}  // namespace encodeqr
