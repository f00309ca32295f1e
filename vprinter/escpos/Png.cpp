// libpng, writing into memory.
#include "vprinter/escpos/Png.h"

#include <png.h>

#include <fstream>

namespace vprinter::escpos {
namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

std::string Printable(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if ((c < 0x20 || c > 0x7E) && c != '\n') c = '?';
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& page, const std::string& comment) {
  std::vector<std::uint8_t> out;
  if (page.width <= 0 || page.height <= 0) return out;
  // everything with a destructor exists before setjmp: a longjmp must not skip one
  std::string key = "Comment", value = Printable(comment);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return {};
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, page.width, page.height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 3);  // receipts are mostly white: fast levels compress them well
  png_text text{};
  text.compression = PNG_TEXT_COMPRESSION_NONE;
  text.key = key.data();
  text.text = value.data();
  png_set_text(png, info, &text, 1);
  png_write_info(png, info);
  png_set_invert_mono(png);  // our 1 is black; greyscale 1 is white
  for (int y = 0; y < page.height; ++y) png_write_row(png, const_cast<png_bytep>(page.Row(y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool WritePng(const std::string& path, const Bitmap& page, const std::string& comment) {
  const std::vector<std::uint8_t> bytes = EncodePng(page, comment);
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace vprinter::escpos
