// Reading PSF and Unifont .hex fonts.
#include "vprinter/escpos/Font.h"

#include <zlib.h>

#include <cstring>
#include <fstream>

namespace vprinter::escpos {
namespace {

constexpr size_t kMaxFontFile = 16u << 20;

// The whole file, inflated when it is gzip-compressed (zlib reads plain
// files unchanged).
bool ReadGzip(const std::string& path, std::vector<std::uint8_t>& out) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (!file) return false;
  std::uint8_t chunk[65536];
  int n;
  while ((n = gzread(file, chunk, sizeof chunk)) > 0 && out.size() < kMaxFontFile) {
    out.insert(out.end(), chunk, chunk + n);
  }
  gzclose(file);
  return n >= 0 && !out.empty();
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// One UTF-8 code point of a PSF2 table; advances `at`.
char32_t NextUtf8(const std::vector<std::uint8_t>& b, size_t& at) {
  const std::uint8_t lead = b[at++];
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0 && at < b.size() && (b[at] & 0xC0) == 0x80; --extra) c = c << 6 | (b[at++] & 0x3F);
  return c;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<Font> Font::LoadPsf(const std::string& path, std::string& error) {
  std::vector<std::uint8_t> file;
  if (!ReadGzip(path, file)) {
    error = "cannot read font " + path + ": " + std::strerror(errno ? errno : ENOENT);
    return std::nullopt;
  }
  Font font;
  if (!font.ReadPsf2(file) && !font.ReadPsf1(file)) {
    error = "font " + path + " is not a PSF font";
    return std::nullopt;
  }
  return font;
}

void Font::ReadGlyphs(const std::vector<std::uint8_t>& file, size_t offset, size_t count, size_t size) {
  for (size_t i = 0; i < count; ++i) {
    Bitmap glyph(width_, height_);
    std::memcpy(glyph.bits.data(), file.data() + offset + i * size, std::min(size, glyph.bits.size()));
    glyphs_.push_back(std::move(glyph));
  }
}

bool Font::ReadPsf1(const std::vector<std::uint8_t>& file) {
  if (file.size() < 4 || file[0] != 0x36 || file[1] != 0x04) return false;
  const size_t count = (file[2] & 1) ? 512 : 256;
  const size_t size = file[3];
  if (size == 0 || file.size() < 4 + count * size) return false;
  width_ = 8;
  height_ = static_cast<int>(size);
  ReadGlyphs(file, 4, count, size);
  size_t at = 4 + count * size;
  const bool hasTable = file[2] & 0x06;
  for (std::uint32_t glyph = 0; glyph < count; ++glyph) {
    if (!hasTable) {
      index_.emplace(glyph, glyph);
      continue;
    }
    bool sequence = false;  // after FFFE come combining sequences, which we do not use
    for (; at + 1 < file.size(); at += 2) {
      const char32_t c = file[at] | file[at + 1] << 8;
      if (c == 0xFFFF) break;
      if (c == 0xFFFE) sequence = true;
      if (!sequence) index_.emplace(c, glyph);
    }
    at += 2;
  }
  return true;
}

bool Font::ReadPsf2(const std::vector<std::uint8_t>& file) {
  if (file.size() < 32 || Le32(file, 0) != 0x864AB572) return false;
  const size_t header = Le32(file, 8), flags = Le32(file, 12), count = Le32(file, 16), size = Le32(file, 20);
  height_ = static_cast<int>(Le32(file, 24));
  width_ = static_cast<int>(Le32(file, 28));
  if (count == 0 || count > 65536 || size == 0 || size > 4096 || width_ <= 0 || height_ <= 0 ||
      size < static_cast<size_t>(Bitmap::RowBytes(width_) * height_) || file.size() < header + count * size) {
    return false;
  }
  ReadGlyphs(file, header, count, size);
  size_t at = header + count * size;
  for (std::uint32_t glyph = 0; glyph < count; ++glyph) {
    if (!(flags & 1)) {
      index_.emplace(glyph, glyph);
      continue;
    }
    bool sequence = false;
    while (at < file.size() && file[at] != 0xFF) {
      if (file[at] == 0xFE) {
        sequence = true;
        ++at;
        continue;
      }
      const char32_t c = NextUtf8(file, at);
      if (!sequence) index_.emplace(c, glyph);
    }
    ++at;
  }
  return true;
}

std::optional<Font> Font::LoadHex(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read font " + path + ": " + std::strerror(errno ? errno : ENOENT);
    return std::nullopt;
  }
  Font font;
  font.width_ = 16;
  font.height_ = 16;
  for (std::string line; std::getline(in, line);) {
    const size_t colon = line.find(':');
    const size_t digits = colon == std::string::npos ? 0 : line.size() - colon - 1;
    if (colon == 0 || colon > 4 || (digits != 32 && digits != 64)) continue;
    char32_t c = 0;
    bool valid = true;
    for (size_t i = 0; i < colon; ++i) {
      valid = valid && HexValue(line[i]) >= 0;
      c = c << 4 | static_cast<char32_t>(HexValue(line[i]) & 0xF);
    }
    Bitmap glyph(digits == 32 ? 8 : 16, 16);
    for (size_t i = 0; valid && i < digits; i += 2) {
      const int high = HexValue(line[colon + 1 + i]), low = HexValue(line[colon + 2 + i]);
      valid = high >= 0 && low >= 0;
      glyph.bits[i / 2] = static_cast<std::uint8_t>(high << 4 | low);
    }
    if (!valid) continue;
    font.index_.emplace(c, static_cast<std::uint32_t>(font.glyphs_.size()));
    font.glyphs_.push_back(std::move(glyph));
  }
  if (font.glyphs_.empty()) {
    error = "font " + path + " has no glyphs";
    return std::nullopt;
  }
  return font;
}

const Bitmap* Font::Glyph(char32_t c) const {
  const auto it = index_.find(c);
  return it == index_.end() ? nullptr : &glyphs_[it->second];
}

}  // namespace vprinter::escpos
