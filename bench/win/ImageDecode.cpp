// Decode + threshold + pack of a 576 x 4000 BMP under Windows (Wine): the
// program's bulk read (one LockBits) against a per-pixel GDI+ GetPixel loop
// in the same run, both packed into the same row raster. Prints the times
// and their ratio; the two rasters must be equal.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "TallReceipt.h"
#include "tests/support/BmpFile.h"
#include "prtbench/imaging/Raster.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "winui/Utf.h"

namespace {

constexpr int kBulkRounds = 5;

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The per-pixel way: one GetPixel call for every pixel.
prtbench::Bytes PerPixel(const std::wstring& path) {
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(path.c_str()));
  prtbench::DecodedImage image{bitmap->GetWidth(), bitmap->GetHeight(), {}};
  image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    for (std::uint32_t x = 0; x < image.width; ++x) {
      Gdiplus::Color colour;
      bitmap->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &colour);
      image.pixels.push_back(prtbench::MakeColour(colour.GetR(), colour.GetG(), colour.GetB()));
    }
  }
  return prtbench::PackRowRaster(image);
}

}  // namespace

int wmain() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"kit-bench-tall.bmp";
  const std::string file = testsupport::BmpFile(bench::TallReceipt());
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
  CloseHandle(out);

  prtbench::Bytes bulk;
  prtbench::DecodeImageFile(winui::Narrow(path));  // starts GDI+ outside the timing
  double decodeSeconds = 0, packSeconds = 0;
  for (int round = 0; round < kBulkRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    const prtbench::DecodedImage image = prtbench::DecodeImageFile(winui::Narrow(path));
    decodeSeconds += Seconds(start);
    start = std::chrono::steady_clock::now();
    bulk = prtbench::PackRowRaster(image);
    packSeconds += Seconds(start);
  }
  decodeSeconds /= kBulkRounds;
  packSeconds /= kBulkRounds;
  const double bulkSeconds = decodeSeconds + packSeconds;

  const auto start = std::chrono::steady_clock::now();
  const prtbench::Bytes single = PerPixel(path);
  const double perPixelSeconds = Seconds(start);
  DeleteFileW(path.c_str());

  std::printf("576 x 4000 BMP, decode + threshold + pack\n");
  std::printf("  bulk (one LockBits):  %8.1f ms (decode %.1f, threshold + pack %.1f; mean of %d)\n", bulkSeconds * 1000,
              decodeSeconds * 1000, packSeconds * 1000, kBulkRounds);
  std::printf("  per pixel (GetPixel): %8.1f ms\n", perPixelSeconds * 1000);
  std::printf("  ratio: %.1fx, rasters %s\n", perPixelSeconds / bulkSeconds, bulk == single ? "equal" : "DIFFER");
  return bulk == single && !bulk.empty() ? 0 : 1;
}
