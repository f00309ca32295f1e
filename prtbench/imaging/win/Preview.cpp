// LoadImage reads BMP files only, which is what the preview shows.
#include "prtbench/imaging/win/Preview.h"

#include <algorithm>
#include <utility>

#include "prtbench/imaging/Fit.h"

#include "winui/Utf.h"

namespace prtbench {

bool PreviewBitmap::Load(const std::string& path) {
  Clear();
  const std::wstring widePath = winui::Widen(path);
  bitmap_ = static_cast<HBITMAP>(
      LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap_) return false;
  BITMAP info{};
  GetObjectW(bitmap_, sizeof info, &info);
  width_ = static_cast<std::uint32_t>(info.bmWidth);
  height_ = static_cast<std::uint32_t>(info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
  return true;
}

PreviewBitmap& PreviewBitmap::operator=(PreviewBitmap&& other) noexcept {
  if (this != &other) {
    Clear();
    std::swap(bitmap_, other.bitmap_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
  }
  return *this;
}

void PreviewBitmap::Clear() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  width_ = height_ = 0;
}

void PreviewBitmap::Draw(HDC dc, const RECT& frame) const {
  if (!bitmap_) return;
  const PictureSize natural{width_, height_};
  const PictureSize shown = FitInside(natural, {static_cast<std::uint32_t>(std::max(0L, frame.right - frame.left)),
                                                static_cast<std::uint32_t>(std::max(0L, frame.bottom - frame.top))});
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, bitmap_);
  // averaging keeps thin lines of a shrunk picture visible
  const int mode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, frame.left, frame.top, static_cast<int>(shown.width), static_cast<int>(shown.height), source, 0, 0,
             static_cast<int>(width_), static_cast<int>(height_), SRCCOPY);
  SetStretchBltMode(dc, mode);
  SelectObject(source, previous);
  DeleteDC(source);
}

bool LoadPreviewBitmap(winui::Dialog& dialog, const Context& context, PreviewBitmap& preview,
                       const std::string& path, const PreviewPlace& place) {
  if (!preview.Load(path)) {
    InvalidateRect(dialog.Item(place.previewId), nullptr, TRUE);
    context.prompts().Message(dialog.hwnd(), context.Text(Msg::BitmapLoadFailed), winui::MessageIcon::Information);
    return false;
  }
  const std::string line = BitmapInfoLine(path, preview.width(), preview.height(), place.size, context.language());
  context.status().SetText(line);
  dialog.SetText(place.infoId, line);
  InvalidateRect(dialog.hwnd(), nullptr, TRUE);
  return true;
}

void DrawPreview(const DRAWITEMSTRUCT& item, const PreviewBitmap& preview, const std::string& path) {
  // the brush the dialog gives its statics: light in some dialogs, grey in others
  const auto background = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(item.hwndItem), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(item.hDC),
      reinterpret_cast<LPARAM>(item.hwndItem)));
  FillRect(item.hDC, &item.rcItem, background ? background : GetSysColorBrush(COLOR_BTNFACE));
  if (!path.empty()) preview.Draw(item.hDC, item.rcItem);
}

}  // namespace prtbench
