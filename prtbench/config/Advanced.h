// The advanced settings' one-shot configuration commands and the lists they
// read. Every command is a whole frame for one send.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "prtbench/base/Bytes.h"

namespace prtbench {

// The lists and the entries they select on opening.
inline constexpr std::array<std::string_view, 8> kDensityTexts{"1", "2", "3", "4", "5", "6", "7", "8"};
inline constexpr int kInitialDensityIndex = 4;
inline constexpr std::array<std::string_view, 4> kConfigBaudTexts{"9600", "19200", "38400", "115200"};
inline constexpr int kInitialConfigBaudIndex = 1;
inline constexpr std::array<std::string_view, 8> kPrintWidthTexts{"72mm", "76mm", "80mm", "48mm",
                                                                  "52mm", "56mm", "64mm", "68mm"};
inline constexpr int kInitialPrintWidthIndex = 0;
inline constexpr std::array<std::string_view, 9> kBarcodeTypeTexts{
    "UPC_A", "UPC_C", "EAN(JAN)13", "EAN(JAN)8", "CODE39", "ITF", "CODABAR", "CODE93", "CODE128"};
inline constexpr int kInitialBarcodeTypeIndex = 2;
inline constexpr int kBarcodeHeights = 255;  // "1" to "255"
inline constexpr int kInitialBarcodeHeightIndex = 128;
inline constexpr std::array<std::string_view, 2> kBeeperTexts{"ON", "OFF"};
inline constexpr int kSensitivityLevels = 24;  // "1" to "24"

enum class InterfaceMode : std::uint8_t { Usb = 0, EmulatedCom = 1 };

// 1F 1B 1F 13 14 d 00 00 00 00: print density d, 1 to 8.
Bytes DensityCommand(int density);
// 1F 1B 1F FF n 0A 00: the low byte of the code page number.
Bytes CodePageCommand(int codePage);
// 1F 1B 1F B8 13 14 m 00: the USB port as USB (0) or as an emulated COM port (1).
Bytes InterfaceCommand(InterfaceMode mode);
// 1F 1B 1F BE i 0A 00: i indexes kConfigBaudTexts.
Bytes ConfigBaudRateCommand(int index);
// 1F 1B 1F E1 13 14 i 00 00 00 00: i indexes kPrintWidthTexts.
Bytes PrintWidthCommand(int index);

// What the code page "Teste" sends, in four sends: ESC M 1 (font B), the
// sample, ESC M 0 (font A), the sample again. The sample prints the upper half
// of whatever code page the printer uses now: 0D 0A, ESC @, FS . (leave
// Chinese mode), ESC ! 0, the bytes 80 to FF, five zeros, LF, ESC @, a feed
// and cut (GS V 65 72), FS & and a zero: 152 bytes.
std::vector<Bytes> CodePageSample();

// 02 03 80 00: prints an H line.
Bytes PrintHLineCommand();
// 1F 1B 1F 42 65 65 70 ("Beep"), 08 on or 06 off, 0A 00.
Bytes BeeperCommand(bool on);
// The sensitivity sends: 1F 1B 1F 83 04 05 06 30 s for level `low` (1-24), and
// when `high` is given also 1F 1B 1F 83 04 05 06 31 s2.
std::vector<Bytes> SensitivityCommands(int low, std::optional<int> high);

}  // namespace prtbench
