// Raster and bit images, NV bit images (FS q / FS p) and NV graphics
// (GS ( L / GS 8 L).
#include <algorithm>
#include <cstring>

#include "vprinter/escpos/Interpreter.h"

namespace vprinter::escpos {
namespace {

int Scale(std::uint8_t m, int& sx, int& sy) {
  const int mode = m >= '0' ? m - '0' : m;
  sx = (mode & 1) ? 2 : 1;
  sy = (mode & 2) ? 2 : 1;
  return mode;
}

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// Column format (columns left to right, each `bytes` bytes top to bottom,
// the top dot in the high bit) as a Bitmap `columns` wide.
Bitmap FromColumns(const std::uint8_t* data, int columns, int bytes) {
  Bitmap image(columns, bytes * 8);
  for (int x = 0; x < columns; ++x) {
    for (int y = 0; y < bytes * 8; ++y) {
      if ((data[static_cast<size_t>(x) * bytes + y / 8] >> (7 - y % 8)) & 1) image.Set(x, y);
    }
  }
  return image;
}

constexpr std::uint16_t Key(std::uint8_t kc1, std::uint8_t kc2) { return static_cast<std::uint16_t>(kc1 << 8 | kc2); }
bool ValidKey(std::uint8_t kc) { return kc >= 32 && kc <= 126; }

// Dots past the width in each row's last byte are not part of the picture.
void ClearPastWidth(Bitmap& image) {
  if (image.width % 8 == 0) return;
  const auto mask = static_cast<std::uint8_t>(0xFF << (8 - image.width % 8));
  for (int row = 0; row < image.height; ++row) image.Row(row)[image.rowBytes() - 1] &= mask;
}

}  // namespace

// GS v 0 m xL xH yL yH, then x bytes by y rows; each row prints as it completes.
size_t Interpreter::Raster(Span in) {
  if (in.size() < 3) return 0;
  if (in[2] != '0') {
    Unknown(in.first(3), "GS v unknown");
    return 3;
  }
  if (in.size() < 8) return 0;
  const int bytes = in[4] | in[5] << 8, rows = in[6] | in[7] << 8;
  if (Scale(in[3], rasterSx_, rasterSy_) > 3) Note("GS v 0 mode " + std::to_string(in[3]) + " unknown: normal size");
  FlushLine();
  rasterRow_ = Bitmap(bytes * 8, 1);
  rasterX_ = AlignedX(bytes * 8 * rasterSx_);
  paper_.Text("[raster image " + Size(bytes * 8, rows) + "]");
  Body body;
  body.remaining = static_cast<std::uint64_t>(bytes) * rows;
  body.row = static_cast<size_t>(bytes);
  body.onRow = [this](std::vector<std::uint8_t>& row) {
    std::memcpy(rasterRow_.bits.data(), row.data(), row.size());
    Blit(paper_.page(), rasterRow_, rasterX_, paper_.Claim(rasterSy_), rasterSx_, rasterSy_);
  };
  StartBody(std::move(body));
  return 8;
}

// ESC * m nL nH: one band of n columns, 8 dots (m 0, 1) or 24 dots (m 32, 33)
// high, that joins the line; the single-density modes print each dot twice as
// wide, the 8-dot modes three times as high.
size_t Interpreter::BitImage(Span in) {
  if (in.size() < 5) return 0;
  const std::uint8_t m = in[2];
  if (m != 0 && m != 1 && m != 32 && m != 33) {
    Unknown(in.first(3), "ESC * mode " + std::to_string(m) + " unknown");
    return 3;
  }
  const int columns = in[3] | in[4] << 8, bytes = m >= 32 ? 3 : 1;
  const int sx = (m & 1) ? 1 : 2, sy = m >= 32 ? 1 : 3;
  Body body;
  body.remaining = static_cast<std::uint64_t>(columns) * bytes;
  body.keep = body.remaining;
  body.done = [this, columns, bytes, sx, sy](std::vector<std::uint8_t>& data) {
    if (columns == 0) return;  // an empty band: nothing joins the line
    const Bitmap band = FromColumns(data.data(), columns, bytes);
    Bitmap cell(columns * sx, bytes * 8 * sy);
    Blit(cell, band, 0, 0, sx, sy);
    if (!line_.Fits(cell.width, Area())) PrintLine(modes_.lineSpacing);
    line_.Add(std::move(cell), "", 0);
  };
  StartBody(std::move(body));
  return 5;
}

// FS q n: n images follow, each xL xH yL yH and x * y * 8 bytes of columns;
// they replace every image stored before.
size_t Interpreter::NvDefine(Span in) {
  if (in.size() < 3) return 0;
  nvImages_.clear();
  nvBytes_ = 0;
  nvLeft_ = in[2];
  Note("FS q: defining " + std::to_string(in[2]) + " NV bit images");
  return 3;
}

size_t Interpreter::NvHeader(Span in) {
  if (in.size() < 4) return 0;
  const int x = in[0] | in[1] << 8, y = in[2] | in[3] << 8;
  const size_t size = static_cast<size_t>(x) * y * 8;
  const bool fits = x <= 1023 && y <= 288 && nvBytes_ + size <= kNvCapacity;
  const int number = static_cast<int>(nvImages_.size()) + 1;
  nvImages_.emplace_back();
  --nvLeft_;
  if (fits) nvBytes_ += size;
  else Note("NV bit image " + std::to_string(number) + " (" + Size(x * 8, y * 8) + ") does not fit: not stored");
  Body body;
  body.remaining = size;
  body.keep = fits ? size : 0;
  body.done = [this, number, x, y, fits](std::vector<std::uint8_t>& data) {
    if (!fits) return;
    nvImages_[number - 1] = FromColumns(data.data(), x * 8, y);
    Note("NV bit image " + std::to_string(number) + " stored, " + Size(x * 8, y * 8));
  };
  StartBody(std::move(body));
  return 4;
}

// FS p n m: print NV bit image n.
size_t Interpreter::NvPrint(Span in) {
  int sx = 1, sy = 1;
  Scale(in[3], sx, sy);
  if (in[2] == 0 || in[2] > nvImages_.size() || nvImages_[in[2] - 1].width == 0) {
    Note("FS p: no NV bit image " + std::to_string(in[2]));
    return 4;
  }
  const Bitmap& image = nvImages_[in[2] - 1];
  PrintPicture(image, sx, sy, "[NV bit image " + std::to_string(in[2]) + " " + Size(image.width, image.height) + "]");
  return 4;
}

// GS ( F pL pH a m nL nH: where printing starts (a 1) and where the paper is
// cut (a 2) after a black mark, forward (m 0) or back (m 1); other GS ( x
// commands are skipped by their size.
size_t Interpreter::GsParen(Span in, std::uint64_t size) {
  if (in[2] != 'F') return SkipFunction(in, "GS");
  Body body;
  body.remaining = size;
  body.keep = 4;
  body.done = [this](std::vector<std::uint8_t>& p) {
    if (p.size() < 4 || (p[0] != 1 && p[0] != 2)) return Note("GS ( F with bad parameters: ignored");
    const int dots = (p[2] | p[3] << 8) * (p[1] & 1 ? -1 : 1);
    (p[0] == 1 ? settings_.markPrintDots : settings_.markCutDots) = dots;
    Note(std::string(p[0] == 1 ? "black mark print position " : "black mark cut position ") + std::to_string(dots) +
         " dots");
  };
  StartBody(std::move(body));
  return 5;
}

// GS ( L pL pH m fn ... and GS 8 L p1 p2 p3 p4 m fn ...: the size counts
// every byte after it.
size_t Interpreter::Graphics(Span in) {
  const bool longForm = in[1] == '8';
  const size_t header = longForm ? 7 : 5;
  if (in.size() < header) return 0;
  std::uint64_t size = in[3] | in[4] << 8;
  if (longForm) size |= static_cast<std::uint64_t>(in[5]) << 16 | static_cast<std::uint64_t>(in[6]) << 24;
  if (in[1] == '(' && in[2] != 'L') return GsParen(in, size);
  if (in.size() < header + 2 && size >= 2) return 0;
  if (size < 2) {
    Unknown(in.first(header), "GS ( L with size " + std::to_string(size));
    return header;
  }
  const int fn = in[header + 1];
  Body body;
  body.remaining = size - 2;
  body.keep = static_cast<size_t>(std::min<std::uint64_t>(body.remaining, fn == 67 || fn == 112 ? kNvCapacity + 16 : 16));
  body.done = [this, fn, size](std::vector<std::uint8_t>& data) { GraphicsFunction(fn, data, size - 2); };
  StartBody(std::move(body));
  return header + 2;
}

void Interpreter::GraphicsFunction(int fn, std::vector<std::uint8_t>& body, std::uint64_t size) {
  if (fn == 67) return DefineGraphic(body, size);
  if (fn == 112) return BufferGraphic(body, size);
  if (fn == 50) return PrintBufferedGraphic();
  if (fn == 49 && body.size() >= 2) {  // 50: 180 dpi, 51: 360 dpi; this head has one density
    return Note("graphics dot density " + std::to_string(body[0]) + " " + std::to_string(body[1]) +
                ": printed at 203 dpi");
  }
  if (fn == 65 && body.size() >= 3 && body[0] == 'C' && body[1] == 'L' && body[2] == 'R') {
    graphics_.clear();
    graphicsBytes_ = 0;
    return Note("NV graphics: all deleted");
  }
  if ((fn == 66 || fn == 69) && (body.size() < 2 || !ValidKey(body[0]) || !ValidKey(body[1]))) {
    return Note("NV graphics function " + std::to_string(fn) + ": key code outside 32-126, ignored");
  }
  const auto it = body.size() >= 2 ? graphics_.find(Key(body[0], body[1])) : graphics_.end();
  if (fn == 66) {
    if (it == graphics_.end()) return Note("NV graphics: nothing to delete");
    graphicsBytes_ -= it->second.bits.size();
    graphics_.erase(it);
    return Note("NV graphics deleted");
  }
  if (fn == 69 && body.size() >= 4) {
    if (it == graphics_.end()) return Note("NV graphics: nothing stored under that key code");
    const int sx = body[2] == 2 ? 2 : 1, sy = body[3] == 2 ? 2 : 1;
    return PrintPicture(it->second, sx, sy, "[NV graphics " + Size(it->second.width, it->second.height) + "]");
  }
  Note("NV graphics function " + std::to_string(fn) + ": not simulated");
}

// a kc1 kc2 b xL xH yL yH c, then the row raster (rows of ceil(x / 8) bytes).
void Interpreter::DefineGraphic(const std::vector<std::uint8_t>& body, std::uint64_t size) {
  if (body.size() < 9 || body[0] != 48 || !ValidKey(body[1]) || !ValidKey(body[2]) || body[3] < 1 || body[3] > 2) {
    return Note("NV graphics definition with a bad header: ignored");
  }
  const int x = body[4] | body[5] << 8, y = body[6] | body[7] << 8;
  const std::uint16_t key = Key(body[1], body[2]);
  const size_t bytes = static_cast<size_t>(Bitmap::RowBytes(x)) * y;
  const auto old = graphics_.find(key);
  const size_t freed = old == graphics_.end() ? 0 : old->second.bits.size();
  if (x < 1 || x > 8192 || y < 1 || y > 2304 || graphicsBytes_ - freed + bytes > kNvCapacity) {
    return Note("NV graphics " + Size(x, y) + " do not fit: not stored");
  }
  if (size < 9 + bytes) Note("NV graphics data short by " + std::to_string(9 + bytes - size) + " bytes: white");
  Bitmap image(x, y);
  std::memcpy(image.bits.data(), body.data() + 9, std::min(bytes, body.size() - 9));
  ClearPastWidth(image);
  graphicsBytes_ += bytes - freed;
  graphics_[key] = std::move(image);
  Note("NV graphics stored, " + Size(x, y));
}

// a bx by c xL xH yL yH, then the row raster: a = 48 one tone, 52 several;
// bx, by 1 or 2; c the colour (49-52). This head has one colour, so every
// plane inks; planes of the same size overlay, another size starts afresh.
void Interpreter::BufferGraphic(const std::vector<std::uint8_t>& body, std::uint64_t size) {
  if (body.size() < 8 || (body[0] != 48 && body[0] != 52) || body[1] < 1 || body[1] > 2 || body[2] < 1 ||
      body[2] > 2 || body[3] < 49 || body[3] > 52) {
    return Note("graphics for the print buffer with a bad header: ignored");
  }
  const int x = body[4] | body[5] << 8, y = body[6] | body[7] << 8;
  const size_t bytes = static_cast<size_t>(Bitmap::RowBytes(x)) * y;
  if (x < 1 || x > 8192 || y < 1 || y > 2304 || bytes > kNvCapacity) {
    return Note("graphics " + Size(x, y) + " do not fit the print buffer: not stored");
  }
  if (size < 8 + bytes) Note("graphics data short by " + std::to_string(8 + bytes - size) + " bytes: white");
  Bitmap plane(x, y);
  std::memcpy(plane.bits.data(), body.data() + 8, std::min(bytes, body.size() - 8));
  ClearPastWidth(plane);
  if (buffered_.width != x || buffered_.height != y) buffered_ = Bitmap(x, y);
  Blit(buffered_, plane, 0, 0);
  bufferedSx_ = body[1];
  bufferedSy_ = body[2];
  Note("graphics in the print buffer, " + Size(x, y));
}

// Prints what the print buffer's graphics hold and empties it.
void Interpreter::PrintBufferedGraphic() {
  if (buffered_.width == 0) return Note("print the buffered graphics: none in the buffer");
  const Bitmap picture = std::move(buffered_);
  buffered_ = Bitmap();
  PrintPicture(picture, bufferedSx_, bufferedSy_, "[graphics " + Size(picture.width, picture.height) + "]");
}

}  // namespace vprinter::escpos
