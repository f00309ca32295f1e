// LoadImage reads BMP files only, which is what the preview shows.
#include "prtbench/imaging/win/Preview.h"

#include <utility>

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

void PreviewBitmap::Draw(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, bitmap_);
  BitBlt(dc, x, y, static_cast<int>(width_), static_cast<int>(height_), source, 0, 0, SRCCOPY);
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
  // the control keeps its top-left corner, in the dialog's client coordinates
  RECT rect{};
  GetWindowRect(dialog.Item(place.previewId), &rect);
  MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  dialog.MoveControl(place.previewId, rect.left, rect.top, static_cast<int>(preview.width()),
                     static_cast<int>(preview.height()));
  const std::string line = BitmapInfoLine(path, preview.width(), preview.height(), place.size, context.language());
  context.status().SetText(line);
  dialog.SetText(place.infoId, line);
  InvalidateRect(dialog.hwnd(), nullptr, TRUE);
  return true;
}

void DrawPreview(const DRAWITEMSTRUCT& item, const PreviewBitmap& preview, const std::string& path) {
  HBRUSH background = CreateSolidBrush(winui::kLightBackground);
  FillRect(item.hDC, &item.rcItem, background);
  DeleteObject(background);
  if (!path.empty()) preview.Draw(item.hDC, item.rcItem.left, item.rcItem.top);
}

}  // namespace prtbench
