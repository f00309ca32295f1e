// Native threshold + pack rate of a 576 x 4000 picture (the row raster and
// the column raster) in MB of colour data per second, against ImageMagick's
// -threshold of the same picture as a BMP file (decode, threshold, 1-bit
// output) in the same run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "TallReceipt.h"
#include "tests/support/BmpFile.h"
#include "prtbench/imaging/Raster.h"

namespace {

constexpr int kRounds = 50;
constexpr int kMagickRounds = 5;

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  const prtbench::DecodedImage image = bench::TallReceipt();
  const double megabytes = image.width * 3.0 * image.height / 1e6;  // as 24-bit pixels
  size_t sink = 0;
  auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) sink += prtbench::PackRowRaster(image).size();
  const double rowSeconds = Seconds(start) / kRounds;
  start = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) sink += prtbench::PackColumnRaster(image).size();
  const double columnSeconds = Seconds(start) / kRounds;

  const std::string bmp = "/tmp/kit-bench-tall.bmp", pbm = "/tmp/kit-bench-tall.pbm";
  std::ofstream(bmp, std::ios::binary) << testsupport::BmpFile(image);
  const std::string command = "convert " + bmp + " -threshold 47.8% " + pbm;
  start = std::chrono::steady_clock::now();
  int status = 0;
  for (int round = 0; round < kMagickRounds; ++round) status |= std::system(command.c_str());
  const double magickSeconds = Seconds(start) / kMagickRounds;
  std::remove(bmp.c_str());
  std::remove(pbm.c_str());

  std::printf("576 x 4000 picture, %.1f MB as 24-bit colour\n", megabytes);
  std::printf("  row raster:    %8.2f ms  %8.0f MB/s\n", rowSeconds * 1000, megabytes / rowSeconds);
  std::printf("  column raster: %8.2f ms  %8.0f MB/s\n", columnSeconds * 1000, megabytes / columnSeconds);
  std::printf("  ImageMagick -threshold (decode, threshold, write): %8.1f ms  %6.0f MB/s%s\n", magickSeconds * 1000,
              megabytes / magickSeconds, status ? " (convert failed)" : "");
  return sink > 0 && status == 0 ? 0 : 1;
}
