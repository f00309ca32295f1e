// zint and libqrencode behind the printer's rules for barcode data.
#include "vprinter/escpos/Symbols.h"

#include <qrencode.h>
#include <zint.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace vprinter::escpos {
namespace {

using Span = std::span<const std::uint8_t>;

struct Symbology {
  const char* name;
  int zint;
};

// Index: m of the first form (0-6), or m - 65 of the second.
constexpr Symbology kSymbologies[] = {
    {"UPC-A", BARCODE_UPCA},     {"UPC-E", BARCODE_UPCE},     {"EAN13", BARCODE_EANX},
    {"EAN8", BARCODE_EANX},      {"CODE39", BARCODE_CODE39},  {"ITF", BARCODE_C25INTER},
    {"CODABAR", BARCODE_CODABAR}, {"CODE93", BARCODE_CODE93}, {"CODE128", BARCODE_CODE128},
};

bool AllDigits(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// UPC-A (number system, five manufacturer and five product digits) in its
// zero-suppressed UPC-E form of seven digits; empty when it has none.
std::string ZeroSuppress(const std::string& a) {
  if (a[0] != '0' && a[0] != '1') return {};
  const std::string m = a.substr(1, 5), p = a.substr(6, 5);
  if ((m.substr(2) == "000" || m.substr(2) == "100" || m.substr(2) == "200") && p.substr(0, 2) == "00") {
    return a.substr(0, 1) + m.substr(0, 2) + p.substr(2) + m[2];
  }
  if (m.substr(3) == "00" && p.substr(0, 3) == "000") return a.substr(0, 1) + m.substr(0, 3) + p.substr(3) + "3";
  if (m[4] == '0' && p.substr(0, 4) == "0000") return a.substr(0, 1) + m.substr(0, 4) + p[4] + "4";
  if (p.substr(0, 4) == "0000" && p[4] >= '5') return a.substr(0, 1) + m + p[4];
  return {};
}

// The printer's code set selections ({A {B {C, {{ for a brace, {S {1-{4
// functions) turned into the characters they carry; set C bytes are 0-99.
bool Code128Text(const std::string& data, std::string& text) {
  if (data.size() < 2 || data[0] != '{' || data[1] < 'A' || data[1] > 'C') return false;
  char set = 'A';
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '{' && i + 1 < data.size()) {
      const char code = data[++i];
      if (code >= 'A' && code <= 'C') set = code;
      if (code == '{') text += '{';
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (set == 'C') {
      if (c > 99) return false;
      text += static_cast<char>('0' + c / 10);
      text += static_cast<char>('0' + c % 10);
    } else {
      text += static_cast<char>(c);
    }
  }
  return !text.empty();
}

std::string Fail(std::string& error, const std::string& why) {
  error = why;
  return {};
}

// Digits only, `sizes` long; the printer computes the check digit itself,
// so zint gets the first `keep`.
std::string Digits(const std::string& data, std::initializer_list<size_t> sizes, size_t keep, const char* name,
                   std::string& error) {
  const bool sized = std::find(sizes.begin(), sizes.end(), data.size()) != sizes.end();
  if (!sized || !AllDigits(data)) return Fail(error, std::string(name) + " takes " + std::to_string(keep) + " or " +
                                                         std::to_string(keep + 1) + " digits");
  return data.substr(0, keep);
}

// 6 digits (number system 0), 7 or 8 with the number system, or a UPC-A
// number of 11 or 12 digits that has a zero-suppressed form.
std::string UpcE(const std::string& data, std::string& error) {
  if (!AllDigits(data)) return Fail(error, "UPC-E takes digits only");
  if (data.size() == 6) return "0" + data;
  if (data.size() == 7 || data.size() == 8) return data.substr(0, 7);
  if (data.size() != 11 && data.size() != 12) return Fail(error, "UPC-E takes 6, 7, 8, 11 or 12 digits");
  const std::string e = ZeroSuppress(data.substr(0, 11));
  return e.empty() ? Fail(error, "UPC-E: " + data + " has no zero-suppressed form") : e;
}

// The data zint gets for symbology `index`, or an error in `error`.
std::string Prepare(int index, const std::string& data, std::string& error) {
  switch (index) {
    case 0: return Digits(data, {11, 12}, 11, "UPC-A", error);
    case 1: return UpcE(data, error);
    case 2: return Digits(data, {12, 13}, 12, "EAN13", error);
    case 3: return Digits(data, {7, 8}, 7, "EAN8", error);
    case 4:  // the start and stop characters may come with the data
      return data.size() >= 2 && data.front() == '*' && data.back() == '*' ? data.substr(1, data.size() - 2) : data;
    case 5:
      return data.size() % 2 == 0 && AllDigits(data) ? data : Fail(error, "ITF takes an even number of digits");
    case 8: {
      std::string text;
      return Code128Text(data, text) ? text : Fail(error, "CODE128 data must start with a code set ({A, {B or {C)");
    }
    default: return data;
  }
}

}  // namespace

Barcode EncodeBarcode(int m, Span data) {
  const int index = m >= 65 ? m - 65 : m;
  Barcode barcode;
  if (index < 0 || index > 8 || (m < 65 && index > 6)) {
    barcode.error = "barcode system " + std::to_string(m) + " unknown";
    return barcode;
  }
  barcode.name = kSymbologies[index].name;
  const std::string prepared = Prepare(index, std::string(data.begin(), data.end()), barcode.error);
  if (prepared.empty()) {
    if (barcode.error.empty()) barcode.error = "no data";
    return barcode;
  }
  std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
  symbol->symbology = kSymbologies[index].zint;
  const int result = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(prepared.data()),
                                     static_cast<int>(prepared.size()));
  if (result >= ZINT_ERROR) {
    barcode.error = symbol->errtxt;
    return barcode;
  }
  // zint packs each row's modules eight to a byte, the first in the low bit
  for (int x = 0; x < symbol->width; ++x) barcode.modules.push_back((symbol->encoded_data[0][x >> 3] >> (x & 7)) & 1);
  barcode.text = reinterpret_cast<const char*>(symbol->text);
  return barcode;
}

Bitmap EncodePdf417(Span data, const Pdf417Shape& shape, std::string& error) {
  if (data.empty() || data.size() > kMaxQrData) {
    error = "PDF417 data of " + std::to_string(data.size()) + " bytes (1-" + std::to_string(kMaxQrData) + ")";
    return {};
  }
  std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
  symbol->symbology = BARCODE_PDF417;
  symbol->option_1 = shape.level;
  symbol->option_2 = shape.columns;
  symbol->option_3 = shape.rows;
  symbol->input_mode = DATA_MODE;
  if (ZBarcode_Encode(symbol.get(), data.data(), static_cast<int>(data.size())) >= ZINT_ERROR) {
    error = symbol->errtxt;
    return {};
  }
  const int w = shape.moduleWidth, h = shape.moduleWidth * shape.rowHeight;
  Bitmap picture(symbol->width * w, symbol->rows * h);
  for (int row = 0; row < symbol->rows; ++row) {
    for (int x = 0; x < symbol->width; ++x) {
      if (!((symbol->encoded_data[row][x >> 3] >> (x & 7)) & 1)) continue;
      for (int dy = 0; dy < h; ++dy) {
        for (int dx = 0; dx < w; ++dx) picture.Set(x * w + dx, row * h + dy);
      }
    }
  }
  return picture;
}

Bitmap EncodeQr(Span data, int level, int module, std::string& error) {
  if (data.empty() || data.size() > kMaxQrData) {
    error = "QR data of " + std::to_string(data.size()) + " bytes (1-" + std::to_string(kMaxQrData) + ")";
    return {};
  }
  constexpr QRecLevel kLevels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
  QRcode* code = QRcode_encodeData(static_cast<int>(data.size()), data.data(), 0, kLevels[std::clamp(level, 0, 3)]);
  if (!code) {
    error = "QR data of " + std::to_string(data.size()) + " bytes does not fit the error correction level";
    return {};
  }
  constexpr int kQuiet = 4;
  const int side = (code->width + 2 * kQuiet) * module;
  Bitmap symbol(side, side);
  for (int y = 0; y < code->width; ++y) {
    for (int x = 0; x < code->width; ++x) {
      if (!(code->data[y * code->width + x] & 1)) continue;
      for (int dy = 0; dy < module; ++dy) {
        for (int dx = 0; dx < module; ++dx) symbol.Set((x + kQuiet) * module + dx, (y + kQuiet) * module + dy);
      }
    }
  }
  QRcode_free(code);
  return symbol;
}

}  // namespace vprinter::escpos
