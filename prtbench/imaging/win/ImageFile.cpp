// GDI+ decoding with one LockBits for the whole picture, and the file dialog.
#include "prtbench/imaging/win/ImageFile.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <new>

#include "prtbench/link/win/IniFile.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

// GDI+ started once for the program's life, on first use from any thread.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

bool StartGdiplus() {
  static GdiplusSession session;
  return session.ok();
}

// The locked rows of 32-bit ARGB, alpha ignored as a per-pixel read ignores it.
void CopyPixels(const Gdiplus::BitmapData& data, DecodedImage& image) {
  const auto* base = static_cast<const std::uint8_t*>(data.Scan0);
  Colour* out = image.pixels.data();
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (std::uint32_t x = 0; x < image.width; ++x) {
      const std::uint32_t argb = row[x];  // 0xAARRGGBB
      *out++ = MakeColour(static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                          static_cast<std::uint8_t>(argb));
    }
  }
}

}  // namespace

DecodedImage DecodeImageFile(const std::string& path) {
  if (!StartGdiplus()) return {};
  const std::wstring widePath = winui::Widen(path);
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(widePath.c_str()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return {};
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  // a picture whose pixel count the address space cannot hold is unreadable
  const std::uint64_t count = static_cast<std::uint64_t>(width) * height;
  if (count > SIZE_MAX / sizeof(Colour)) return {};
  DecodedImage image;
  try {
    image.pixels.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return {};
  }
  const Gdiplus::Rect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return {};
  image.width = width;
  image.height = height;
  CopyPixels(data, image);
  bitmap->UnlockBits(&data);
  return image;
}

std::optional<std::string> ChooseBitmapFile(HWND owner, const Context& context, const std::string& initialFolder) {
  winui::FileDialogOptions options;
  options.title = context.Text(Msg::BitmapOpenTitle);
  options.filters = {{std::string(context.Text(Msg::BitmapFilterBmp)), "*.bmp"},
                     {std::string(context.Text(Msg::BitmapFilterAll)), "*.*"}};
  options.initialFolder = initialFolder;
  options.hideReadOnly = true;
  return context.prompts().OpenFile(owner, options);
}

std::string LogoSampleFolder() { return winui::Narrow(ExeDirectory() + L"\\Logo_Sample"); }

}  // namespace prtbench
