// Glyph cells with their fallbacks, cached.
#include "vprinter/escpos/Typeface.h"

#include <cstdio>

namespace vprinter::escpos {
namespace {

constexpr size_t kCacheCells = 8192;

std::optional<Font> LoadFirst(const std::string& dir, std::initializer_list<const char*> names, std::string& tried) {
  for (const char* name : names) {
    std::string error;
    if (auto font = Font::LoadPsf(dir + "/" + name, error)) return font;
    tried += (tried.empty() ? "" : ", ") + dir + "/" + name;
  }
  return std::nullopt;
}

Bitmap Box(int w, int h) {
  Bitmap box(w, h);
  for (int x = 1; x < w - 2; ++x) box.Set(x, 2), box.Set(x, h - 3);
  for (int y = 2; y < h - 2; ++y) box.Set(1, y), box.Set(w - 3, y);
  return box;
}

}  // namespace

std::unique_ptr<Typeface> Typeface::Load(const FontPaths& paths, std::string& error) {
  auto face = std::unique_ptr<Typeface>(new Typeface);
  std::string tried;
  face->a_ = LoadFirst(paths.consoleDir, {"Uni2-Terminus24x12.psf.gz", "Uni3-Terminus24x12.psf.gz",
                                          "Lat15-Terminus24x12.psf.gz"}, tried);
  face->b_ = LoadFirst(paths.consoleDir, {"Uni2-Terminus16.psf.gz", "Uni3-Terminus16.psf.gz",
                                          "Lat15-Terminus16.psf.gz"}, tried);
  if (!face->a_ || !face->b_) {
    error = "cannot read the printer fonts (tried " + tried +
            "); install the Debian package console-setup-linux, or run with --no-render";
    return nullptr;
  }
  face->unifontPath_ = paths.unifont;
  return face;
}

std::unique_ptr<Typeface> Typeface::Boxes() {
  auto face = std::unique_ptr<Typeface>(new Typeface);
  face->unifontTried_ = true;
  return face;
}

int Typeface::CellWidth(Face face, bool wide) { return (face == Face::A ? 12 : 9) * (wide ? 2 : 1); }

int Typeface::CellHeight(Face face) { return face == Face::A ? 24 : 17; }

const Bitmap& Typeface::Cell(Face face, char32_t c, bool wide) {
  const std::uint64_t key = static_cast<std::uint64_t>(c) << 2 | (face == Face::B) << 1 | wide;
  if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
  if (cache_.size() >= kCacheCells) cache_.clear();
  return cache_.emplace(key, Make(face, c, wide)).first->second;
}

Bitmap Typeface::Make(Face face, char32_t c, bool wide) {
  const int w = CellWidth(face, wide), h = CellHeight(face);
  Bitmap cell(w, h);
  const std::optional<Font>& own = face == Face::A ? a_ : b_;
  // glyph sizes: font A 12 x 24 fills its cell; font B 8 x 16 sits in 9 x 17;
  // Unifont's 8 x 16 and 16 x 16 scale to the narrow or wide cell
  const int gw = face == Face::A ? w : w - (wide ? 2 : 1);
  const int gh = face == Face::A ? h : h - 1;
  if (const Bitmap* glyph = !wide && own ? own->Glyph(c) : nullptr) {
    Blit(cell, *glyph, 0, 0);
  } else if (const Bitmap* fallback = Unifont() ? Unifont()->Glyph(c) : nullptr) {
    Blit(cell, Resized(*fallback, gw, gh), 0, 0);
  } else if (c != U' ') {
    Blit(cell, Box(gw, gh), 0, 0);
  }
  return cell;
}

const Font* Typeface::Unifont() {
  if (!unifontTried_) {
    unifontTried_ = true;
    std::string error;
    unifont_ = Font::LoadHex(unifontPath_, error);
    if (!unifont_) {
      std::fprintf(stderr, "vprinter: %s; characters the console fonts lack print as boxes (Debian package unifont)\n",
                   error.c_str());
    }
  }
  return unifont_ ? &*unifont_ : nullptr;
}

}  // namespace vprinter::escpos
