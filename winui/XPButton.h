// The owner-drawn push button of prtbench: a rounded button with a vertical
// blue-white gradient, a frame while hovered or focused, and a caption that
// moves one pixel when pressed.
#pragma once

#include <windows.h>

namespace winui {

class CXPButton {
 public:
  CXPButton();  // creates the pens; they live as long as the object
  virtual ~CXPButton();
  CXPButton(const CXPButton&) = delete;
  CXPButton& operator=(const CXPButton&) = delete;

  // Takes over the button: owner-draw style, rounded window region, mouse
  // tracking. The owning dialog forwards WM_DRAWITEM to DrawItem.
  void Attach(HWND button);
  HWND hwnd() const { return button_; }

  virtual void DrawItem(const DRAWITEMSTRUCT& item);

 protected:
  virtual void PreSubclassWindow();
  // Paints the 64-step gradient into `face`, its top row colour 0 and the row
  // at face.bottom colour 63.
  virtual void DrawFace(HDC dc, const RECT& face);
  // Draws the hot or focus frame around `face`; with the focus pens also the
  // focus rectangle.
  virtual void DrawFrame(HDC dc, const RECT& face);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND button_ = nullptr;
  bool hover_ = false;
  bool tracking_ = false;
  bool focus_ = false;
  bool pressedLook_ = false;

  HPEN outlinePen_;
  HPEN hotLeftPen_, hotRightPen_, hotTopPen_, hotBottomPen_;
  HPEN focusLeftPen_, focusRightPen_, focusTopPen_, focusBottomPen_;
};

}  // namespace winui
