// Lamp bitmaps from files, StretchBlt onto the lamp.
#include "prtbench/nettools/win/LampPictures.h"

namespace prtbench {
namespace {

// by picture index: red, green, black
constexpr const wchar_t* kFiles[] = {L"\\Red.bmp", L"\\Green.bmp", L"\\Black.bmp"};
constexpr COLORREF kPlain[] = {RGB(200, 30, 30), RGB(30, 170, 60), RGB(40, 40, 48)};

}  // namespace

const char* LampName(LampColour colour) {
  switch (colour) {
    case LampColour::Red:
      return "red";
    case LampColour::Green:
      return "green";
    case LampColour::Black:
      return "black";
  }
  return "";
}

LampPictures::LampPictures(const std::wstring& folder) {
  for (size_t i = 0; i < bitmaps_.size(); ++i) {
    bitmaps_[i] = static_cast<HBITMAP>(
        LoadImageW(nullptr, (folder + kFiles[i]).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  }
}

LampPictures::~LampPictures() {
  for (HBITMAP bitmap : bitmaps_) {
    if (bitmap) DeleteObject(bitmap);
  }
}

void LampPictures::Draw(HDC dc, const RECT& area, LampColour colour) const {
  const int index = static_cast<int>(colour);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAP info{};
  if (!bitmaps_[index] || !GetObjectW(bitmaps_[index], sizeof info, &info)) {
    HBRUSH plain = CreateSolidBrush(kPlain[index]);
    FillRect(dc, &area, plain);
    DeleteObject(plain);
    return;
  }
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmaps_[index]);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, area.left, area.top, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace prtbench
