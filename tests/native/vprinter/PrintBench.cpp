// The test bench's printer and judges.
#include "PrintBench.h"

#include <png.h>
#include <stdio.h>

#include <cstdlib>
#include <sstream>

#include "support/VPrinterProcess.h"
#include "vprinter/escpos/Png.h"

namespace printbench {

bool Collected::Noted(const std::string& part) const {
  for (const auto& note : notes) {
    if (note.find(part) != std::string::npos) return true;
  }
  return false;
}

vprinter::escpos::Typeface& SystemTypeface() {
  static std::unique_ptr<vprinter::escpos::Typeface> typeface = [] {
    std::string error;
    auto loaded = vprinter::escpos::Typeface::Load({}, error);
    if (!loaded) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    return loaded;
  }();
  return *typeface;
}

Bench::Bench(int widthDots, int codePage) {
  settings.widthDots = widthDots;
  settings.codePage = codePage;
  printer = std::make_unique<vprinter::escpos::Interpreter>(SystemTypeface(), settings, out, out);
}

const std::vector<Receipt>& Bench::Receipts() {
  printer->EndOfJob();
  return out.receipts;
}

std::string B(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

std::vector<std::string> Zbar(const Bitmap& page) {
  const std::string path = testsupport::MakeTempDir() + "/page.png";
  if (!vprinter::escpos::WritePng(path, page, "")) return {"(no PNG)"};
  FILE* pipe = popen(("zbarimg -q " + path + " 2>/dev/null").c_str(), "r");
  std::string output;
  char chunk[256];
  while (pipe && fgets(chunk, sizeof chunk, pipe)) output += chunk;
  if (pipe) pclose(pipe);
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Bitmap ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_GRAY;
  std::vector<png_byte> grey(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, grey.data(), 0, nullptr)) return {};
  Bitmap page(static_cast<int>(image.width), static_cast<int>(image.height));
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) {
      if (grey[static_cast<size_t>(y) * page.width + x] < 128) page.Set(x, y);
    }
  }
  return page;
}

}  // namespace printbench
