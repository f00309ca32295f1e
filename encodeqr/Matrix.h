// The module layer of the encoder: function patterns, codeword placement,
// masks, format and version information, and the penalty score.
#pragma once

#include <cstdint>
#include <vector>

#include "encodeqr/Encoder.h"

namespace encodeqr {

class Matrix {
 public:
  explicit Matrix(int version);

  int size() const { return size_; }
  bool Dark(int x, int y) const { return dark_[Index(x, y)] != 0; }

  // Places RawCodewords(version) codewords in the zigzag order, most
  // significant bit first; the remainder bits stay light.
  void PlaceCodewords(const std::vector<std::uint8_t>& codewords);
  // Inverts every data module where mask `mask` (0..7) says so: applying
  // the same mask twice undoes it.
  void ApplyMask(int mask);
  // Writes both copies of the format information for `ecc` and `mask`.
  void DrawFormat(Ecc ecc, int mask);
  // N1 + N2 + N3 + N4 of the standard, finder-like patterns counted at any
  // 1:1:3:1:1 scale with four light modules on a side (the quiet zone
  // counting as light).
  long Penalty() const;

  std::vector<std::uint8_t> Modules() const { return dark_; }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * size_ + x; }
  void Set(int x, int y, bool dark, bool function = true);
  void DrawFunctionPatterns();
  void DrawFinder(int cx, int cy);
  void DrawAlignment(int cx, int cy);
  void DrawVersion();
  long LinePenalty(bool rows) const;

  int version_;
  int size_;
  std::vector<std::uint8_t> dark_;
  std::vector<std::uint8_t> function_;  // modules no data may take
};

}  // namespace encodeqr
