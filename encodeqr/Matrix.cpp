// Drawing a QR symbol module by module, and scoring a masked candidate.
#include "encodeqr/Matrix.h"

#include <algorithm>
#include <cstdlib>

namespace encodeqr {
namespace {

constexpr long kRunPenalty = 3, kBlockPenalty = 3, kFinderPenalty = 40, kBalancePenalty = 10;

bool Bit(unsigned value, int i) { return ((value >> i) & 1) != 0; }

// Centre coordinates of the alignment patterns along one axis.
std::vector<int> AlignmentPositions(int version) {
  if (version == 1) return {};
  const int count = version / 7 + 2;
  const int step = (version * 8 + count * 3 + 5) / (count * 4 - 4) * 2;
  std::vector<int> positions{6};
  for (int i = count - 2; i >= 0; --i) positions.push_back(17 + 4 * version - 7 - i * step);
  return positions;
}

// The standard's eight mask conditions on column x and row y.
bool MaskHits(int mask, int x, int y) {
  switch (mask) {
    case 0: return (x + y) % 2 == 0;
    case 1: return y % 2 == 0;
    case 2: return x % 3 == 0;
    case 3: return (x + y) % 3 == 0;
    case 4: return (x / 3 + y / 2) % 2 == 0;
    case 5: return x * y % 2 + x * y % 3 == 0;
    case 6: return (x * y % 2 + x * y % 3) % 2 == 0;
    default: return ((x + y) % 2 + x * y % 3) % 2 == 0;
  }
}

// The two-bit level indicator of the format information.
unsigned FormatLevel(Ecc ecc) {
  switch (ecc) {
    case Ecc::Low: return 1;
    case Ecc::Medium: return 0;
    case Ecc::Quartile: return 3;
    default: return 2;
  }
}

// N3 for the run lengths of one line, which alternate light, dark, light...
// starting and ending with light runs that reach into the quiet zone.
long FinderLikePatterns(const std::vector<int>& runs) {
  long count = 0;
  for (size_t end = 6; end < runs.size(); end += 2) {
    const int* r = &runs[end - 6];  // light, dark n, light n, dark 3n, light n, dark n, light
    const int n = r[1];
    if (n <= 0 || r[2] != n || r[4] != n || r[5] != n || r[3] != 3 * n) continue;
    if (r[0] >= 4 * n && r[6] >= n) ++count;
    if (r[6] >= 4 * n && r[0] >= n) ++count;
  }
  return count;
}

}  // namespace

Matrix::Matrix(int version)
    : version_(version), size_(17 + 4 * version),
      dark_(static_cast<size_t>(size_) * size_, 0), function_(dark_.size(), 0) {
  DrawFunctionPatterns();
}

void Matrix::Set(int x, int y, bool dark, bool function) {
  dark_[Index(x, y)] = dark ? 1 : 0;
  if (function) function_[Index(x, y)] = 1;
}

void Matrix::DrawFunctionPatterns() {
  for (int i = 0; i < size_; ++i) {
    Set(6, i, i % 2 == 0);
    Set(i, 6, i % 2 == 0);
  }
  DrawFinder(3, 3);
  DrawFinder(size_ - 4, 3);
  DrawFinder(3, size_ - 4);
  const std::vector<int> centres = AlignmentPositions(version_);
  const size_t last = centres.size() - 1;
  for (size_t i = 0; i < centres.size(); ++i) {
    for (size_t j = 0; j < centres.size(); ++j) {
      const bool onFinder = (i == 0 && j == 0) || (i == 0 && j == last) || (i == last && j == 0);
      if (!onFinder) DrawAlignment(centres[i], centres[j]);
    }
  }
  DrawFormat(Ecc::Medium, 0);  // reserves the format areas; overwritten later
  DrawVersion();
}

void Matrix::DrawFinder(int cx, int cy) {
  for (int dy = -4; dy <= 4; ++dy) {
    for (int dx = -4; dx <= 4; ++dx) {
      const int x = cx + dx, y = cy + dy;
      if (x < 0 || y < 0 || x >= size_ || y >= size_) continue;
      const int ring = std::max(std::abs(dx), std::abs(dy));  // 4 is the light separator
      Set(x, y, ring != 2 && ring != 4);
    }
  }
}

void Matrix::DrawAlignment(int cx, int cy) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) Set(cx + dx, cy + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
  }
}

void Matrix::DrawFormat(Ecc ecc, int mask) {
  const unsigned data = FormatLevel(ecc) << 3 | static_cast<unsigned>(mask);
  unsigned remainder = data;
  for (int i = 0; i < 10; ++i) remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
  const unsigned bits = ((data << 10) | remainder) ^ 0x5412;
  // beside the top-left finder
  for (int i = 0; i <= 5; ++i) Set(8, i, Bit(bits, i));
  Set(8, 7, Bit(bits, 6));
  Set(8, 8, Bit(bits, 7));
  Set(7, 8, Bit(bits, 8));
  for (int i = 9; i < 15; ++i) Set(14 - i, 8, Bit(bits, i));
  // beside the other two finders, and the module that is always dark
  for (int i = 0; i < 8; ++i) Set(size_ - 1 - i, 8, Bit(bits, i));
  for (int i = 8; i < 15; ++i) Set(8, size_ - 15 + i, Bit(bits, i));
  Set(8, size_ - 8, true);
}

void Matrix::DrawVersion() {
  if (version_ < 7) return;
  unsigned remainder = static_cast<unsigned>(version_);
  for (int i = 0; i < 12; ++i) remainder = (remainder << 1) ^ ((remainder >> 11) * 0x1F25);
  const unsigned bits = static_cast<unsigned>(version_) << 12 | remainder;
  for (int i = 0; i < 18; ++i) {
    const int a = size_ - 11 + i % 3, b = i / 3;
    Set(a, b, Bit(bits, i));
    Set(b, a, Bit(bits, i));
  }
}

void Matrix::PlaceCodewords(const std::vector<std::uint8_t>& codewords) {
  const size_t totalBits = codewords.size() * 8;
  size_t bit = 0;
  // two-module columns from the right, alternately upwards and downwards,
  // stepping over the vertical timing pattern
  for (int right = size_ - 1; right >= 1; right -= 2) {
    if (right == 6) right = 5;
    const bool upward = ((right + 1) & 2) == 0;
    for (int step = 0; step < size_; ++step) {
      const int y = upward ? size_ - 1 - step : step;
      for (int x = right; x >= right - 1; --x) {
        if (function_[Index(x, y)] || bit >= totalBits) continue;
        Set(x, y, Bit(codewords[bit / 8], 7 - static_cast<int>(bit % 8)), false);
        ++bit;
      }
    }
  }
}

void Matrix::ApplyMask(int mask) {
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      if (!function_[Index(x, y)] && MaskHits(mask, x, y)) dark_[Index(x, y)] ^= 1;
    }
  }
}

long Matrix::LinePenalty(bool rows) const {
  long penalty = 0;
  for (int line = 0; line < size_; ++line) {
    std::vector<int> runs{0};  // a light run first, empty when the line starts dark
    bool colour = false;
    for (int i = 0; i < size_; ++i) {
      const bool dark = rows ? Dark(i, line) : Dark(line, i);
      if (dark != colour) {
        runs.push_back(0);
        colour = dark;
      }
      if (++runs.back() == 5) penalty += kRunPenalty;
      else if (runs.back() > 5) penalty += 1;
    }
    if (colour) runs.push_back(0);
    // the quiet zone widens the light runs at both ends
    runs.front() += size_;
    runs.back() += size_;
    penalty += FinderLikePatterns(runs) * kFinderPenalty;
  }
  return penalty;
}

long Matrix::Penalty() const {
  long penalty = LinePenalty(true) + LinePenalty(false);
  long darkCount = 0;
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      darkCount += Dark(x, y);
      if (x + 1 < size_ && y + 1 < size_ && Dark(x, y) == Dark(x + 1, y) && Dark(x, y) == Dark(x, y + 1) &&
          Dark(x, y) == Dark(x + 1, y + 1)) {
        penalty += kBlockPenalty;
      }
    }
  }
  const long total = static_cast<long>(size_) * size_;
  const long k = (std::labs(darkCount * 20 - total * 10) + total - 1) / total - 1;
  return penalty + k * kBalancePenalty;
}

}  // namespace encodeqr
