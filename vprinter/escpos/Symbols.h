// Barcodes and QR symbols as the printer draws them, encoded by libraries made
// for it (zint, libqrencode) from the data the printer received.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"

namespace vprinter::escpos {

struct Barcode {
  std::string name;           // "CODE128"
  std::vector<bool> modules;  // left to right, true = bar; empty when it cannot be printed
  std::string text;           // human-readable interpretation
  std::string error;          // why it cannot be printed
};

// GS k symbology `m` (0-6, or 65-73 for the form with a length byte) of `data`.
Barcode EncodeBarcode(int m, std::span<const std::uint8_t> data);

// The QR symbol of `data` at error correction `level` (0 L, 1 M, 2 Q, 3 H),
// `module` dots per module, with its four-module quiet zone; `error` says
// why there is none (too much data, libqrencode failure).
Bitmap EncodeQr(std::span<const std::uint8_t> data, int level, int module, std::string& error);

// PDF417 settings (GS ( k cn 48): 0 columns or rows: as the data need;
// `level` 0-8, or -1 for the encoder's choice.
struct Pdf417Shape {
  int columns = 0, rows = 0, level = -1;
  int moduleWidth = 3, rowHeight = 3;  // dots; rows are rowHeight module widths high
};

// The PDF417 symbol of `data` in `shape`; `error` says why there is none.
Bitmap EncodePdf417(std::span<const std::uint8_t> data, const Pdf417Shape& shape, std::string& error);

// Most data bytes a QR symbol holds (version 40, level L, byte mode).
constexpr size_t kMaxQrData = 2953;

}  // namespace vprinter::escpos
