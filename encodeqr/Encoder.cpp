// Version choice, codewords, placement and mask choice.
#include "encodeqr/Encoder.h"

#include "encodeqr/Codewords.h"
#include "encodeqr/Matrix.h"

namespace encodeqr {
namespace {

// The smallest version whose data capacity takes the segment; 0 when none does.
int SmallestVersion(size_t bytes, Ecc ecc) {
  for (int version = 1; version <= 40; ++version) {
    const size_t countBits = version < 10 ? 8 : 16;
    if (bytes >= (size_t{1} << countBits)) continue;
    const size_t needed = 4 + countBits + bytes * 8;
    if (needed <= static_cast<size_t>(DataCodewords(version, ecc)) * 8) return version;
  }
  return 0;
}

// Each mask tried in turn; the first of lowest penalty wins.
int ChooseMask(Matrix& matrix, Ecc ecc) {
  int best = 0;
  long bestPenalty = -1;
  for (int mask = 0; mask < 8; ++mask) {
    matrix.ApplyMask(mask);
    matrix.DrawFormat(ecc, mask);
    const long penalty = matrix.Penalty();
    if (bestPenalty < 0 || penalty < bestPenalty) {
      best = mask;
      bestPenalty = penalty;
    }
    matrix.ApplyMask(mask);
  }
  return best;
}

}  // namespace

std::optional<Symbol> EncodeBytes(std::span<const std::uint8_t> data, Ecc ecc, int mask) {
  if (mask < kAutoMask || mask > 7) return std::nullopt;
  const int version = SmallestVersion(data.size(), ecc);
  if (version == 0) return std::nullopt;
  Matrix matrix(version);
  matrix.PlaceCodewords(InterleavedCodewords(DataStream(data, version, ecc), version, ecc));
  if (mask == kAutoMask) mask = ChooseMask(matrix, ecc);
  matrix.ApplyMask(mask);
  matrix.DrawFormat(ecc, mask);
  return Symbol{version, mask, matrix.size(), matrix.Modules()};
}

}  // namespace encodeqr
