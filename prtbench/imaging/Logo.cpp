// FS q and FS p byte layouts.
#include "prtbench/imaging/Logo.h"

#include <array>

#include "prtbench/imaging/Raster.h"

namespace prtbench {
namespace {

constexpr std::array<std::uint8_t, 7> kFeedTail{0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x00};
constexpr std::array<std::uint8_t, 7> kCutTail{0x1D, 0x56, 0x01, 0x00, 0x0A, 0x0A, 0x00};

void AppendLittle16(Bytes& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

Bytes NvImageDefinition(const DecodedImage& image) {
  Bytes definition;
  AppendLittle16(definition, RoundUp8(image.width) / 8);
  AppendLittle16(definition, RoundUp8(image.height) / 8);
  const Bytes columns = PackColumnRaster(image);
  definition.insert(definition.end(), columns.begin(), columns.end());
  return definition;
}

Bytes LogoDownloadCommand(const DecodedImage& image) {
  Bytes command = MultiLogoHeader(1);
  const Bytes definition = NvImageDefinition(image);
  command.insert(command.end(), definition.begin(), definition.end());
  command.insert(command.end(), {0x00, 0x00, 0x00});
  return command;
}

Bytes LogoBlankCommand() {
  Bytes command{0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00};
  command.resize(command.size() + 8, 0x00);
  return command;
}

Bytes MultiLogoHeader(std::uint8_t count) { return {0x1C, 0x71, count}; }

Bytes LogoPrintCommand(int sizeMode, std::uint8_t image) {
  return {0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1C, 0x70, image,
          static_cast<std::uint8_t>(0x30 + sizeMode), 0x1B, 0x40, 0x00};
}

std::span<const std::uint8_t> PrintFeedTail() { return kFeedTail; }
std::span<const std::uint8_t> PrintCutTail() { return kCutTail; }

}  // namespace prtbench
