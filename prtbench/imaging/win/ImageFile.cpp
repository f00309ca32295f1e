// GDI+ decoding with one LockBits for the whole picture, and the file dialog.
#include "prtbench/imaging/win/ImageFile.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <new>

#include "prtbench/imaging/Fit.h"
#include "prtbench/link/win/IniFile.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

// GDI+ started once, on first use from any thread, and left running: a
// shutdown from a static destructor at exit races GDI+'s own teardown (seen
// as a crash at exit under Wine), and the system frees it with the process.
bool StartGdiplus() {
  static const bool started = [] {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

// Reads the locked rows: 24-bit BGR, or 32-bit ARGB with alpha ignored as a
// per-pixel read ignores it.
void CopyPixels(const Gdiplus::BitmapData& data, bool threeBytes, DecodedImage& image) {
  const auto* base = static_cast<const std::uint8_t*>(data.Scan0);
  Colour* out = image.pixels.data();
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* p = base + static_cast<std::ptrdiff_t>(y) * data.Stride;
    const std::size_t step = threeBytes ? 3 : 4;
    for (std::uint32_t x = 0; x < image.width; ++x, p += step) *out++ = MakeColour(p[2], p[1], p[0]);
  }
}

// The size the file's header declares, read before the decoder allocates
// for it; nullopt for formats whose header is not read here.
std::optional<PictureSize> DeclaredSize(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  char head[32] = {};
  DWORD got = 0;
  const bool read = ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  return read ? DeclaredPictureSize(std::string_view(head, got)) : std::nullopt;
}

}  // namespace

DecodedImage DecodeImageFile(const std::string& path) {
  if (!StartGdiplus()) return {};
  const std::wstring widePath = winui::Widen(path);
  const std::optional<PictureSize> declared = DeclaredSize(widePath);
  if (declared && !PictureSizeAllowed(*declared)) return {};
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(widePath.c_str()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return {};
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  // formats whose header is not read above are capped here, before the copy
  const std::uint64_t count = static_cast<std::uint64_t>(width) * height;
  if (!PictureSizeAllowed({width, height}) || count > SIZE_MAX / sizeof(Colour)) return {};
  DecodedImage image;
  try {
    image.pixels.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return {};
  }
  const Gdiplus::Rect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  // a 24-bit picture is locked as it is stored, without a conversion pass
  const bool threeBytes = bitmap->GetPixelFormat() == PixelFormat24bppRGB;
  const Gdiplus::PixelFormat format = threeBytes ? PixelFormat24bppRGB : PixelFormat32bppARGB;
  Gdiplus::BitmapData data{};
  if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok) return {};
  image.width = width;
  image.height = height;
  CopyPixels(data, threeBytes, image);
  bitmap->UnlockBits(&data);
  return image;
}

std::optional<DecodedImage> ReadImageFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(winui::Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return DecodeImageFile(path);
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
