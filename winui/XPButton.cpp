// Drawing and mouse tracking of CXPButton.
#include "winui/XPButton.h"

#include <commctrl.h>

#include <array>
#include <string>

namespace winui {
namespace {

constexpr UINT_PTR kSubclassId = 0x58504221;  // "XPB!"
constexpr COLORREF kHot = RGB(41, 56, 206);

HPEN Pen(int style, int width, COLORREF colour) { return CreatePen(style, width, colour); }

// Gradient colour i (0..63): red = green = c1, blue = c2, by hover and pressed look.
COLORREF FaceColour(int i, bool hover, bool pressedLook) {
  const int c1 = 255 - i / (hover ? 4 : 3);
  const int c2 = 255 - i / (hover ? (pressedLook ? 3 : 5) : (pressedLook ? 4 : 5));
  return RGB(c1, c1, c2);
}

// The caption without mnemonic markers, for measuring: "&&" shows as "&".
std::wstring VisibleText(const std::wstring& caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// The caption at (x, y); an ampersand underlines the next character.
void DrawCaption(HDC dc, const std::wstring& caption, int x, int y, COLORREF colour) {
  SetTextColor(dc, colour);
  RECT at{x, y, x, y};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &at, DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace

CXPButton::CXPButton()
    : outlinePen_(Pen(PS_INSIDEFRAME, 1, RGB(7, 111, 208))),
      hotLeftPen_(Pen(PS_SOLID, 3, kHot)),
      hotRightPen_(Pen(PS_SOLID, 3, kHot)),
      hotTopPen_(Pen(PS_SOLID, 2, kHot)),
      hotBottomPen_(Pen(PS_SOLID, 2, kHot)),
      focusLeftPen_(Pen(PS_SOLID, 3, RGB(153, 198, 252))),
      focusRightPen_(Pen(PS_SOLID, 3, RGB(162, 189, 252))),
      focusTopPen_(Pen(PS_SOLID, 2, RGB(162, 201, 255))),
      focusBottomPen_(Pen(PS_SOLID, 2, RGB(162, 201, 255))) {}

CXPButton::~CXPButton() {
  if (button_) RemoveWindowSubclass(button_, SubclassProc, kSubclassId);
  for (HPEN pen : {outlinePen_, hotLeftPen_, hotRightPen_, hotTopPen_, hotBottomPen_, focusLeftPen_,
                   focusRightPen_, focusTopPen_, focusBottomPen_}) {
    DeleteObject(pen);
  }
}

void CXPButton::Attach(HWND button) {
  button_ = button;
  PreSubclassWindow();
  SetWindowSubclass(button_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void CXPButton::PreSubclassWindow() {
  SetWindowLongW(button_, GWL_STYLE, GetWindowLongW(button_, GWL_STYLE) | BS_OWNERDRAW);
  RECT client;
  GetClientRect(button_, &client);
  SetWindowRgn(button_, CreateRoundRectRgn(0, 0, client.right, client.bottom, 5, 5), TRUE);
}

LRESULT CALLBACK CXPButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    auto* button = reinterpret_cast<CXPButton*>(self);
    RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    button->button_ = nullptr;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  return reinterpret_cast<CXPButton*>(self)->OnMessage(message, wParam, lParam);
}

LRESULT CXPButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, button_, 1};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      break;
    case WM_MOUSEHOVER:
      hover_ = true;
      InvalidateRect(button_, nullptr, TRUE);
      return 0;
    case WM_MOUSELEAVE:
      hover_ = false;
      tracking_ = false;
      InvalidateRect(button_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return FALSE;  // the face covers everything
  }
  return DefSubclassProc(button_, message, wParam, lParam);
}

void CXPButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  std::array<wchar_t, 261> buffer{};
  GetWindowTextW(button_, buffer.data(), static_cast<int>(buffer.size()));
  const std::wstring caption = buffer.data();

  RECT rect = item.rcItem;
  HGDIOBJ oldPen = SelectObject(dc, outlinePen_);
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 5, 5);
  SelectObject(dc, oldPen);

  focus_ = (item.itemState & ODS_FOCUS) != 0;
  pressedLook_ = focus_ || (item.itemState & (ODS_SELECTED | ODS_DEFAULT)) != 0;

  InflateRect(&rect, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  DrawFace(dc, rect);
  if (hover_ || focus_) DrawFrame(dc, rect);

  // caption centred in the face, one pixel right and down while pressed
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button_, WM_GETFONT, 0, 0)));
  const std::wstring visible = VisibleText(caption);
  SIZE size{};
  GetTextExtentPoint32W(dc, visible.c_str(), static_cast<int>(visible.size()), &size);
  const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
  const int x = (rect.left + rect.right) / 2 + shift - size.cx / 2;
  const int y = (rect.top + rect.bottom) / 2 + shift - size.cy / 2;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = GetTextColor(dc);
  if (item.itemState & ODS_DISABLED) {
    // embossed: a highlight one pixel down-right under the shadow-coloured text
    DrawCaption(dc, caption, x + 1, y + 1, GetSysColor(COLOR_3DHILIGHT));
    DrawCaption(dc, caption, x, y, GetSysColor(COLOR_3DSHADOW));
  } else {
    DrawCaption(dc, caption, x, y, GetSysColor(COLOR_BTNTEXT));
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void CXPButton::DrawFace(HDC dc, const RECT& face) {
  std::array<HBRUSH, 64> brushes;
  for (int i = 0; i < 64; ++i) brushes[i] = CreateSolidBrush(FaceColour(i, hover_, pressedLook_));
  const int height = face.bottom - face.top;
  for (int y = 0; y <= height; ++y) {
    const RECT row{face.left, face.top + y, face.right, face.top + y + 1};
    FillRect(dc, &row, brushes[height > 0 ? (y * 63) / height : 0]);
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
}

void CXPButton::DrawFrame(HDC dc, const RECT& face) {
  const bool hot = !focus_ || hover_;
  POINT oldPosition;
  HGDIOBJ oldPen = SelectObject(dc, hot ? hotLeftPen_ : focusLeftPen_);
  MoveToEx(dc, face.left, face.bottom - 1, &oldPosition);
  LineTo(dc, face.left, face.top + 1);

  SelectObject(dc, hot ? hotRightPen_ : focusRightPen_);
  MoveToEx(dc, face.right - 1, face.bottom - 1, nullptr);
  LineTo(dc, face.right - 1, face.top);

  SelectObject(dc, hot ? hotTopPen_ : focusTopPen_);
  MoveToEx(dc, face.left - 1, face.top, nullptr);
  LineTo(dc, face.right - 1, face.top);

  SelectObject(dc, hot ? hotBottomPen_ : focusBottomPen_);
  MoveToEx(dc, face.left, face.bottom, nullptr);
  LineTo(dc, face.right - 1, face.bottom);

  SelectObject(dc, oldPen);
  MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);
  if (!hot) DrawFocusRect(dc, &face);
}

}  // namespace winui
