// Black mark sensing: the four distances and their frames, the test receipts,
// and the value H that the position commands share.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "prtbench/base/Bytes.h"
#include "prtbench/base/Language.h"

namespace prtbench {

// Standard: offsets in dots of 1/8 mm. Alternative: the 76 mm printer's
// offsets from a fixed 20 mm (print) or 45 mm (cut) reference, in 0.176 mm steps.
enum class BlackMarkMode { Standard = 0, Alternative = 1 };

// The dialog's values, in millimetres; direction 0 is the feed direction, 1
// the reverse.
struct BlackMarkValues {
  int maxLength = 300;
  int widthLimit = 10;
  int cutOffset = 20;
  int printOffset = 20;
  int direction = 0;
};

struct FieldRange {
  int min;
  int max;
};
inline constexpr FieldRange kMaxLengthRange{50, 500};
inline constexpr FieldRange kWidthLimitRange{3, 30};
inline constexpr FieldRange kCutOffsetRange{0, 1000};

// What a number field gives: the value to go on with and, when its text was
// no number or out of range, the complaint to show. A field that is no number
// keeps `previous`; an out-of-range number is taken as it is.
struct FieldReading {
  int value;
  std::optional<std::string> complaint;
};
FieldReading ReadField(std::optional<int> parsed, int previous, std::optional<FieldRange> range, Language language);

// The value H: the width command sets it to width x 8, the cut position
// command to its offset, and the print position command adds its high byte to
// its own. The main window holds one and hands it to every black mark dialog
// of the run.
class BlackMarkH {
 public:
  std::uint16_t Get() const { return value_.load(); }
  void Set(int value) { value_.store(static_cast<std::uint16_t>(value)); }

 private:
  std::atomic<std::uint16_t> value_{0};
};

// 1F 1B 1F 81 04 05 06 nL nH 00, n = millimetres x 8 (its low 16 bits).
Bytes MaxLengthCommand(int mm);
// 1F 1B 1F 82 04 05 06 nL nH 00, n = millimetres x 8 (the new H).
Bytes WidthLimitCommand(int mm);
std::uint16_t WidthLimitH(int mm);

// The offsets n the position commands carry, as their 16 bits (a negative
// offset in two's complement). Standard: millimetres x 8, but 0 on printer
// type 1. Alternative: print trunc((offset + 20) / 0.176); cut trunc(d / 0.176)
// with d = 45 - offset up to 45 mm, else max length - offset + 45.
std::uint16_t CutOffsetUnits(BlackMarkMode mode, int printerType, const BlackMarkValues& values);
std::uint16_t PrintOffsetUnits(BlackMarkMode mode, int printerType, const BlackMarkValues& values);
// GS ( F, function 2: 1D 28 46 04 00 02 m nL nH 00.
Bytes CutPositionCommand(int direction, std::uint16_t n);
// GS ( F, function 1: 1D 28 46 04 00 01 m nL (nH + high byte of h) 00.
Bytes PrintPositionCommand(int direction, std::uint16_t n, std::uint16_t h);

// Detection on: 1F 1B 1F 80 04 05 06 44. Off: 1F 1B 1F 80 04 05 06 66 00.
Bytes BlackMarkOnCommand();
Bytes BlackMarkOffCommand();

// The test receipts, one element per send, their text lines in GBK each
// filled with zeros to its fixed block (a longer line is sent whole).
// Ticket: 1D 0C, print start line (50), cut position line (50), 1D 56 30.
std::vector<Bytes> TicketTest(const BlackMarkValues& values);
// Print start: 1D 0C, "next print here" (42), distance line (40).
std::vector<Bytes> PrintStartTest(const BlackMarkValues& values);
// Cut: "cut test" line (40), distance line (40), 0A 1D 56 01.
std::vector<Bytes> CutTest(const BlackMarkValues& values);

}  // namespace prtbench
