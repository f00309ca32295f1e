// Barcodes (GS k), QR symbols (GS ( k) and the cutter (GS V).
#include <algorithm>

#include "vprinter/escpos/Interpreter.h"
#include "vprinter/escpos/Symbols.h"

namespace vprinter::escpos {
namespace {

// Bars `width` dots per module and `height` dots high, with the
// human-readable text above and/or below in `face`.
Bitmap DrawBarcode(const escpos::Barcode& code, const Modes& modes, Typeface& typeface) {
  const int bars = static_cast<int>(code.modules.size()) * modes.barWidth;
  const int cellW = Typeface::CellWidth(modes.hriFace, false), cellH = Typeface::CellHeight(modes.hriFace);
  const int textW = static_cast<int>(code.text.size()) * cellW;
  const bool above = modes.hri & 1, below = modes.hri & 2;
  Bitmap picture(std::max(bars, above || below ? textW : 0), modes.barHeight + (above + below) * cellH);
  const int barsLeft = (picture.width - bars) / 2, barsTop = above ? cellH : 0;
  for (size_t m = 0; m < code.modules.size(); ++m) {
    if (!code.modules[m]) continue;
    for (int y = 0; y < modes.barHeight; ++y) {
      for (int dx = 0; dx < modes.barWidth; ++dx) picture.Set(barsLeft + static_cast<int>(m) * modes.barWidth + dx, barsTop + y);
    }
  }
  for (int row : {above ? 0 : -1, below ? barsTop + modes.barHeight : -1}) {
    if (row < 0) continue;
    int x = (picture.width - textW) / 2;
    for (unsigned char c : code.text) {
      Blit(picture, typeface.Cell(modes.hriFace, c, false), x, row);
      x += cellW;
    }
  }
  return picture;
}

// 0x67 read as the decimal number 67.
int Decimal(std::uint8_t hexDigits) { return (hexDigits >> 4) * 10 + (hexDigits & 0x0F); }

}  // namespace

// GS k m d1 ... NUL (m 0-6) or GS k m n d1 ... dn (m 65-73).
size_t Interpreter::Barcode(Span in) {
  if (in.size() < 3) return 0;
  const int m = in[2];
  size_t start = 3, end = 0, used = 0;
  if (m <= 6) {
    const size_t limit = std::min<size_t>(in.size(), 3 + 256);
    size_t nul = 3;
    while (nul < limit && in[nul] != 0) ++nul;
    if (nul == limit && limit < 3 + 256) return 0;
    if (nul == limit) {
      Unknown(in.first(3), "GS k data without its NUL");
      return 3;
    }
    end = nul;
    used = nul + 1;
  } else if (m >= 65 && m <= 73) {
    if (in.size() < 4 || in.size() < 4u + in[3]) return 0;
    start = 4;
    end = used = 4u + in[3];
  } else {
    Unknown(in.first(3), "GS k system " + std::to_string(m) + " unknown");
    return 3;
  }
  const escpos::Barcode code = EncodeBarcode(m, in.subspan(start, end - start));
  const std::string data(in.begin() + static_cast<std::ptrdiff_t>(start), in.begin() + static_cast<std::ptrdiff_t>(end));
  if (code.modules.empty()) {
    Note("barcode " + code.name + " \"" + data + "\" not printed: " + code.error);
    return used;
  }
  const Bitmap picture = DrawBarcode(code, modes_, typeface_);
  if (picture.width > Area()) {
    Note("barcode " + code.name + " \"" + data + "\" is " + std::to_string(picture.width) + " dots wide: not printed");
    return used;
  }
  PrintPicture(picture, 1, 1, "[barcode " + code.name + ": " + code.text + "]");
  return used;
}

// Two forms: the standard GS ( k pL pH cn fn ... (cn 49 for QR), and the
// printer's short one, GS ( k 0 fn ..., whose function bytes (and error
// correction levels) are the standard numbers written as hexadecimal digits:
// 67 (module size n), 69 (error correction 48-51), 80 nL nH d1 ... dn (store;
// the data end at a NUL) and 81 (print). No standard QR command starts with pL = 30 and those pH values.
size_t Interpreter::Qr(Span in) {
  if (in.size() < 5) return 0;
  const bool shortForm = in[3] == 0x30 && (in[4] == 0x67 || in[4] == 0x69 || in[4] == 0x80 || in[4] == 0x81);
  Body body;
  if (shortForm) {
    const int fn = Decimal(in[4]);
    const size_t header = fn == 80 ? 7 : 5;
    if (in.size() < header) return 0;
    body.remaining = fn == 80 ? (in[5] | in[6] << 8) : fn == 81 ? 0 : 1;
    body.keep = kMaxQrData + 1;
    body.done = [this, fn](std::vector<std::uint8_t>& data) {
      if (fn == 80) data.erase(std::find(data.begin(), data.end(), 0), data.end());
      if (fn == 69 && !data.empty()) data[0] = static_cast<std::uint8_t>(Decimal(data[0]));  // 0x48 is level 48
      QrFunction(fn, data);
    };
    StartBody(std::move(body));
    return header;
  }
  if (in.size() < 7) return 0;
  const size_t size = in[3] | in[4] << 8;
  if (size < 2 || (in[5] != 49 && in[5] != 48)) {
    Note("GS ( k symbol " + std::to_string(in[5]) + ": not simulated, " + std::to_string(size) + " bytes skipped");
    body.remaining = size;
    StartBody(std::move(body));
    return 5;
  }
  const int fn = in[6];
  body.remaining = size - 2;
  body.keep = kMaxQrData + 1;
  // the store function's first parameter (m = 48) is not data
  body.done = [this, fn, pdf417 = in[5] == 48](std::vector<std::uint8_t>& data) {
    if (fn == 80 && !data.empty()) data.erase(data.begin());
    if (pdf417) Pdf417Function(fn, data);
    else QrFunction(fn, data);
  };
  StartBody(std::move(body));
  return 7;
}

void Interpreter::QrFunction(int fn, const std::vector<std::uint8_t>& params) {
  const int n = params.empty() ? -1 : params[0];
  switch (fn) {
    case 65: return;  // symbol model: model 2 is what we print
    case 67:
      if (n >= 1 && n <= 16) modes_.qrModule = n;
      else Note("QR module size " + std::to_string(n) + " is not 1-16: ignored");
      return;
    case 69:
      if (n >= 48 && n <= 51) modes_.qrLevel = n - 48;
      else Note("QR error correction " + std::to_string(n) + " is not 48-51: ignored");
      return;
    case 80: modes_.qrData = params; return;
    case 81: break;
    default: return Note("QR function " + std::to_string(fn) + ": not simulated");
  }
  std::string error;
  const Bitmap symbol = EncodeQr(modes_.qrData, modes_.qrLevel, modes_.qrModule, error);
  const std::string text(modes_.qrData.begin(), modes_.qrData.end());
  if (symbol.width == 0) return Note("QR symbol not printed: " + error);
  if (symbol.width > Area()) {
    return Note("QR symbol of \"" + text + "\" is " + std::to_string(symbol.width) + " dots wide: not printed");
  }
  PrintPicture(symbol, 1, 1, "[QR code: " + text + "]");
}

// PDF417 (cn 48): 65 columns, 66 rows, 67 module width (2-8), 68 row height
// (2-8), 69 m n error correction (m 48: level n - 48), 80 store, 81 print.
void Interpreter::Pdf417Function(int fn, const std::vector<std::uint8_t>& params) {
  const int n = params.empty() ? -1 : params[0];
  Pdf417Shape& shape = modes_.pdf417;
  switch (fn) {
    case 65: if (n >= 0 && n <= 30) shape.columns = n; return;
    case 66: if (n == 0 || (n >= 3 && n <= 90)) shape.rows = n; return;
    case 67: if (n >= 2 && n <= 8) shape.moduleWidth = n; return;
    case 68: if (n >= 2 && n <= 8) shape.rowHeight = n; return;
    case 69: shape.level = n == 48 && params.size() > 1 && params[1] >= 48 && params[1] <= 56 ? params[1] - 48 : -1; return;
    case 70: return;  // standard or truncated: the standard symbol is what we print
    case 80: modes_.pdf417Data = params; return;
    case 81: break;
    default: return Note("PDF417 function " + std::to_string(fn) + ": not simulated");
  }
  std::string error;
  const Bitmap symbol = EncodePdf417(modes_.pdf417Data, shape, error);
  const std::string text(modes_.pdf417Data.begin(), modes_.pdf417Data.end());
  if (symbol.width == 0) return Note("PDF417 symbol not printed: " + error);
  if (symbol.width > Area()) {
    return Note("PDF417 symbol of \"" + text + "\" is " + std::to_string(symbol.width) + " dots wide: not printed");
  }
  PrintPicture(symbol, 1, 1, "[PDF417: " + text + "]");
}

// GS V m (0/48 full, 1/49 partial), GS V m n (65 full, 66 partial, after feeding n dots).
size_t Interpreter::Cut(Span in) {
  if (in.size() < 3) return 0;
  const std::uint8_t m = in[2];
  if (m == 65 || m == 66) {
    if (in.size() < 4) return 0;
    FlushLine();
    paper_.Feed(in[3]);
    CutPaper(m == 65 ? "full cut" : "partial cut");
    return 4;
  }
  if (m != 0 && m != 1 && m != 48 && m != 49) {
    Unknown(in.first(3), "GS V mode " + std::to_string(m) + " unknown");
    return 3;
  }
  CutPaper(m & 1 ? "partial cut" : "full cut");
  return 3;
}

}  // namespace vprinter::escpos
