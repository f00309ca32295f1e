// Picture size checks before reading and before sending.
#include "prtbench/imaging/Fit.h"

#include "prtbench/imaging/Raster.h"

namespace prtbench {
namespace {

constexpr std::uint32_t kLargestField = 0xFFFF;
constexpr std::uint64_t kMostDots = std::uint64_t{1} << 25;

std::uint32_t Little(std::string_view b, size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(b[at + i]);
  return value;
}

std::uint32_t Big32(std::string_view b, size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(b[at + i]);
  return value;
}

}  // namespace

std::optional<PictureSize> DeclaredPictureSize(std::string_view head) {
  if (head.size() >= 24 && head.starts_with("\x89PNG\r\n\x1A\n")) return PictureSize{Big32(head, 16), Big32(head, 20)};
  if (head.size() >= 10 && (head.starts_with("GIF87a") || head.starts_with("GIF89a"))) {
    return PictureSize{Little(head, 6, 2), Little(head, 8, 2)};
  }
  if (head.size() >= 26 && head.starts_with("BM") && Little(head, 14, 4) >= 40) {
    // a negative height marks rows stored top-down
    const auto height = static_cast<std::int32_t>(Little(head, 22, 4));
    const auto width = static_cast<std::int32_t>(Little(head, 18, 4));
    return PictureSize{static_cast<std::uint32_t>(width < 0 ? -static_cast<std::int64_t>(width) : width),
                       static_cast<std::uint32_t>(height < 0 ? -static_cast<std::int64_t>(height) : height)};
  }
  return std::nullopt;
}

bool PictureSizeAllowed(PictureSize size) {
  return std::uint64_t{size.width} * size.height <= kMostDots;
}

std::optional<Msg> PictureRefusal(const DecodedImage& image, PictureCommand command) {
  if (image.width == 0 || image.height == 0) return Msg::BitmapLoadFailed;
  std::uint32_t x = 0, y = 0;
  switch (command) {
    case PictureCommand::Raster: x = RowBytes(image.width), y = image.height; break;
    case PictureCommand::NvImage: x = RoundUp8(image.width) / 8, y = RoundUp8(image.height) / 8; break;
    case PictureCommand::NvDefine: x = RoundUp8(image.width), y = image.height; break;
  }
  if (x > kLargestField || y > kLargestField) return Msg::PictureTooLarge;
  return std::nullopt;
}

PictureSize FitInside(PictureSize picture, PictureSize frame) {
  if (picture.width <= frame.width && picture.height <= frame.height) return picture;
  const std::uint64_t w = picture.width, h = picture.height;
  const auto atLeastOne = [](std::uint64_t v) { return static_cast<std::uint32_t>(v == 0 ? 1 : v); };
  // the side that overflows more sets the scale: w / frame.width against h / frame.height
  if (w * frame.height >= h * frame.width) return {frame.width, atLeastOne(h * frame.width / w)};
  return {atLeastOne(w * frame.height / h), frame.height};
}

}  // namespace prtbench
