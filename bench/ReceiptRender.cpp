// Render rate of vprinter's interpreter: a 576 x 4000 raster receipt (GS v 0)
// and a 100-line text receipt, each interpreted and drawn, then encoded as
// PNG, in ms per receipt (the median of the rounds). Needs the console fonts.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "vprinter/escpos/Interpreter.h"
#include "vprinter/escpos/Png.h"

namespace {

using namespace vprinter::escpos;
using Clock = std::chrono::steady_clock;
using namespace std::string_literals;

constexpr int kRounds = 30;

struct Keep : ReceiptSink, EventLog {
  std::vector<Receipt> receipts;
  void Take(Receipt receipt) override { receipts.push_back(std::move(receipt)); }
  void Note(const std::string&) override {}
};

std::string RasterReceipt() {
  std::string bytes = "\x1b@\x1dv0";
  bytes += std::string{'\0', 72, 0, static_cast<char>(4000 & 0xFF), static_cast<char>(4000 >> 8)};
  for (int row = 0; row < 4000; ++row) {
    for (int b = 0; b < 72; ++b) bytes += static_cast<char>((row * 31 + b * 7) & 0xFF);
  }
  return bytes + "\x1dV\x01";
}

std::string TextReceipt() {
  std::string bytes = "\x1b@\x1b\x61\x01\x1b!\x30SHOP\n\x1b!\x00\x1b\x61\x00"s;  // NUL parameters: ""s
  for (int line = 1; line <= 100; ++line) {
    char text[64];
    std::snprintf(text, sizeof text, "%3d Item number %-10d %6d.%02d\n", line, line * 37, line * 3, line % 100);
    bytes += text;
  }
  return bytes + "\x1dV\x01";
}

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

void Measure(const char* name, const std::string& bytes, Typeface& typeface) {
  std::vector<double> render, png;
  for (int round = 0; round < kRounds; ++round) {
    Settings settings;
    Keep keep;
    Interpreter printer(typeface, settings, keep, keep);
    const auto start = Clock::now();
    printer.Feed({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    const auto drawn = Clock::now();
    const auto file = EncodePng(keep.receipts.at(0).page, "");
    const auto encoded = Clock::now();
    render.push_back(std::chrono::duration<double, std::milli>(drawn - start).count());
    png.push_back(std::chrono::duration<double, std::milli>(encoded - drawn).count());
    if (round == 0) {
      std::printf("%s: %dx%d dots, %zu input bytes, PNG %zu bytes\n", name, keep.receipts[0].page.width,
                  keep.receipts[0].page.height, bytes.size(), file.size());
    }
  }
  std::printf("%s: interpret and draw %.2f ms, PNG %.2f ms, together %.2f ms per receipt\n", name, Median(render),
              Median(png), Median(render) + Median(png));
}

}  // namespace

int main() {
  std::string error;
  auto typeface = Typeface::Load({}, error);
  if (!typeface) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  Measure("raster 576x4000", RasterReceipt(), *typeface);
  Measure("text 100 lines", TextReceipt(), *typeface);
  return 0;
}
