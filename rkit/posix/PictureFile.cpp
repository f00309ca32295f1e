// libpng's simplified reader and a plain BMP reader.
#include "rkit/posix/PictureFile.h"

#include <png.h>

#include <fstream>
#include <iterator>

#include "common/ByteReader.h"
#include "prtbench/imaging/Fit.h"

namespace rkit {
namespace {

using prtbench::Colour;
using prtbench::DecodedImage;
using prtbench::MakeColour;

DecodedImage DecodePng(const std::string& file) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return {};
  png.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(png));
  // transparent parts print as paper
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&png, &white, rgb.data(), 0, nullptr)) return {};
  DecodedImage image{png.width, png.height, {}};
  image.pixels.reserve(rgb.size() / 3);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) image.pixels.push_back(MakeColour(rgb[i], rgb[i + 1], rgb[i + 2]));
  return image;
}

struct BmpHeader {
  std::uint32_t offset, palette, width, bits, compression, colours;
  std::int32_t height;
};

// The fields of BITMAPFILEHEADER and BITMAPINFOHEADER that decoding needs.
std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> bytes) {
  kit::ByteReader r(bytes);
  const std::uint16_t magic = r.U16Le();
  r.Skip(8);
  BmpHeader h{};
  h.offset = r.U32Le();
  const std::uint32_t infoSize = r.U32Le();
  // the palette follows the info header, four bytes an entry: B G R 0
  h.palette = 14 + infoSize;
  h.width = r.U32Le();
  h.height = static_cast<std::int32_t>(r.U32Le());
  r.Skip(2);
  h.bits = r.U16Le();
  h.compression = r.U32Le();
  r.Skip(12);
  h.colours = r.U32Le();
  if (!r.ok() || magic != 0x4D42 || infoSize < 40 || h.width == 0 || h.height == 0 || h.height == INT32_MIN) return {};
  const bool bitFields = h.compression == 3 && (h.bits == 32 || h.bits == 16);
  if (h.compression != 0 && !bitFields) return {};
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32) return {};
  if (h.colours == 0 && h.bits <= 8) h.colours = 1u << h.bits;
  return h;
}

}  // namespace

DecodedImage DecodeBmp(const std::string& file) {
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  const auto h = ReadBmpHeader(bytes);
  const std::uint32_t height = h ? static_cast<std::uint32_t>(h->height < 0 ? -h->height : h->height) : 0;
  if (!h || !prtbench::PictureSizeAllowed({h->width, height})) return {};
  const std::uint64_t stride = (static_cast<std::uint64_t>(h->width) * h->bits + 31) / 32 * 4;
  if (h->offset + stride * height > bytes.size() || (h->bits <= 8 && h->palette + 4ull * h->colours > bytes.size())) return {};
  DecodedImage image{h->width, height, std::vector<Colour>(static_cast<size_t>(h->width) * height)};
  for (std::uint32_t y = 0; y < height; ++y) {
    // rows are stored bottom up unless the height is negative
    const std::uint8_t* row = bytes.data() + h->offset + stride * (h->height > 0 ? height - 1 - y : y);
    for (std::uint32_t x = 0; x < h->width; ++x) {
      Colour colour;
      if (h->bits >= 24) {
        const std::uint8_t* p = row + x * (h->bits / 8);
        colour = MakeColour(p[2], p[1], p[0]);
      } else {
        const std::uint32_t bit = x * h->bits;
        const std::uint32_t index = (row[bit / 8] >> (8 - h->bits - bit % 8)) & ((1u << h->bits) - 1);
        if (index >= h->colours) return {};
        const std::uint8_t* p = bytes.data() + h->palette + 4 * index;
        colour = MakeColour(p[2], p[1], p[0]);
      }
      image.pixels[static_cast<size_t>(y) * h->width + x] = colour;
    }
  }
  return image;
}

std::optional<DecodedImage> ReadPictureFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto size = prtbench::DeclaredPictureSize(file);
  if (size && !prtbench::PictureSizeAllowed(*size)) return DecodedImage{};
  if (file.rfind("BM", 0) == 0) return DecodeBmp(file);
  return DecodePng(file);
}

}  // namespace rkit
