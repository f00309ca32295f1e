// The frames of the advanced settings dialog.
#include "prtbench/config/Advanced.h"

#include "prtbench/config/Frame.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kDensity = 0x13;
constexpr std::uint8_t kCodePage = 0xFF;
constexpr std::uint8_t kInterface = 0xB8;
constexpr std::uint8_t kBaudRate = 0xBE;
constexpr std::uint8_t kPrintWidth = 0xE1;
constexpr std::uint8_t kBeeper = 0x42;
constexpr std::uint8_t kSensitivity = 0x83;

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

Bytes SampleBody() {
  Bytes sample{0x0D, 0x0A, 0x1B, 0x40, 0x1C, 0x2E, 0x1B, 0x21, 0x00};
  for (int byte = 0x80; byte <= 0xFF; ++byte) sample.push_back(static_cast<std::uint8_t>(byte));
  // five zeros, LF, ESC @, feed and cut, FS &, a zero
  sample.insert(sample.end(), {0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x1B, 0x40});
  sample.insert(sample.end(), {0x1D, 0x56, 0x41, 0x48, 0x1C, 0x26, 0x00});
  return sample;
}

}  // namespace

Bytes DensityCommand(int density) {
  return ConfigFrame(kDensity, {0x14, Low(density), 0x00, 0x00, 0x00, 0x00});
}

Bytes CodePageCommand(int codePage) { return ConfigFrame(kCodePage, {Low(codePage), 0x0A, 0x00}); }

Bytes InterfaceCommand(InterfaceMode mode) {
  return ConfigFrame(kInterface, {0x13, 0x14, static_cast<std::uint8_t>(mode), 0x00});
}

Bytes ConfigBaudRateCommand(int index) { return ConfigFrame(kBaudRate, {Low(index), 0x0A, 0x00}); }

Bytes PrintWidthCommand(int index) {
  return ConfigFrame(kPrintWidth, {0x13, 0x14, Low(index), 0x00, 0x00, 0x00, 0x00});
}

std::vector<Bytes> CodePageSample() {
  const Bytes sample = SampleBody();
  return {{0x1B, 0x4D, 0x01}, sample, {0x1B, 0x4D, 0x00}, sample};
}

Bytes PrintHLineCommand() { return {0x02, 0x03, 0x80, 0x00}; }

Bytes BeeperCommand(bool on) {
  return ConfigFrame(kBeeper, {0x65, 0x65, 0x70, static_cast<std::uint8_t>(on ? 0x08 : 0x06), 0x0A, 0x00});
}

std::vector<Bytes> SensitivityCommands(int low, std::optional<int> high) {
  std::vector<Bytes> sends{ConfigFrame(kSensitivity, {0x04, 0x05, 0x06, 0x30, Low(low)})};
  if (high) sends.push_back(ConfigFrame(kSensitivity, {0x04, 0x05, 0x06, 0x31, Low(*high)}));
  return sends;
}

}  // namespace prtbench
