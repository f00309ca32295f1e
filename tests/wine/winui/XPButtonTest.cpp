// CXPButton drawn through a real WM_DRAWITEM into a memory bitmap, pixels
// checked; and the light dialog background.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "TestDialogs.h"
#include "winui/Dialog.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A 32-bit top-down DIB selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    // magenta: never mistaken for caption text, gradient or pens
    RECT all{0, 0, width, height};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc_, &all, magenta);
    DeleteObject(magenta);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  Rgb At(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

class ButtonDialog : public winui::Dialog {
 public:
  ButtonDialog() : Dialog(IDD_TEST_BUTTONS) {}
  bool OnInit() override {
    UseLightBackground();
    AttachXPButton(IDC_TEST_PLAIN);
    AttachXPButton(IDC_TEST_SECOND);
    return true;
  }
};

class XPButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dialog_.Create(nullptr), nullptr);
    button_ = dialog_.Item(IDC_TEST_PLAIN);
    // a fixed size, so the golden colours below do not depend on the font
    MoveWindow(button_, 10, 10, 100, 30, FALSE);
    GetClientRect(button_, &rect_);
  }

  // Sends the dialog the WM_DRAWITEM a button in `state` would get.
  void Draw(Canvas& canvas, UINT state, HWND button = nullptr) {
    button = button ? button : button_;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = canvas.dc();
    GetClientRect(button, &item.rcItem);
    SendMessageW(dialog_.hwnd(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  }

  Canvas NewCanvas() const { return Canvas(rect_.right, rect_.bottom); }
  RECT Face() const {
    RECT face = rect_;
    InflateRect(&face, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    return face;
  }
  // The gradient colour at face row y, read away from caption and frame.
  Rgb FaceRow(const Canvas& canvas, int y) const { return canvas.At(Face().left + 6, y); }

  winui::Modeless<ButtonDialog> dialog_;
  HWND button_ = nullptr;
  RECT rect_{};
};

TEST_F(XPButtonTest, AttachMakesTheButtonOwnerDrawnWithARoundedRegion) {
  EXPECT_EQ(GetWindowLongW(button_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(button_, region), ERROR);
  // the 5 x 5 corner ellipse cuts the very corner pixel off
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, rect_.right / 2, 0));
  DeleteObject(region);
}

TEST_F(XPButtonTest, PlainFaceRunsFromWhiteAtTheTopTo234_234_243AtTheBottom) {
  Canvas canvas = NewCanvas();
  Draw(canvas, 0);
  EXPECT_EQ(FaceRow(canvas, Face().top), (Rgb{255, 255, 255}));
  EXPECT_EQ(FaceRow(canvas, Face().bottom), (Rgb{234, 234, 243}));
  EXPECT_EQ(canvas.At(rect_.right / 2, 0), (Rgb{7, 111, 208})) << "outline";
}

TEST_F(XPButtonTest, EachHoverAndPressedVariantHasItsOwnGradient) {
  // face row 18 of a 26-pixel face takes colour index 18 * 63 / 26 = 43
  ASSERT_EQ(Face().bottom - Face().top, 26);
  struct Case {
    bool hover;
    UINT state;
    Rgb row18;
  } cases[] = {
      {false, 0, {241, 241, 247}},             // c1 = 255 - 43/3, c2 = 255 - 43/5
      {false, ODS_SELECTED, {241, 241, 245}},  // pressed look: c2 = 255 - 43/4
      {false, ODS_DEFAULT, {241, 241, 245}},
      {true, 0, {245, 245, 247}},              // hover: c1 = 255 - 43/4
      {true, ODS_SELECTED, {245, 245, 241}},   // hover and pressed: c2 = 255 - 43/3
  };
  for (const Case& c : cases) {
    SendMessageW(button_, c.hover ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, 0);
    Canvas canvas = NewCanvas();
    Draw(canvas, c.state);
    EXPECT_EQ(FaceRow(canvas, Face().top + 18), c.row18) << "hover " << c.hover << " state " << c.state;
    // the hot frame covers the top row of a hovered face
    if (!c.hover) {
      EXPECT_EQ(FaceRow(canvas, Face().top), (Rgb{255, 255, 255}));
    }
  }
}

TEST_F(XPButtonTest, NeitherHoveredNorFocusedDrawsNoFrame) {
  Canvas canvas = NewCanvas();
  Draw(canvas, 0);
  const RECT face = Face();
  const int middleY = (face.top + face.bottom) / 2;
  // the left edge of the face is plain gradient, like a pixel further in
  EXPECT_EQ(canvas.At(face.left, middleY), canvas.At(face.left + 6, middleY));
  EXPECT_EQ(canvas.At(face.right - 1, middleY), canvas.At(face.left + 6, middleY));
}

TEST_F(XPButtonTest, FocusedDrawsTheFocusPensAndTheFocusRectangle) {
  Canvas canvas = NewCanvas();
  Draw(canvas, ODS_FOCUS);
  const RECT face = Face();
  const int middleY = (face.top + face.bottom) / 2;
  EXPECT_EQ(canvas.At(face.left + 1, middleY), (Rgb{153, 198, 252})) << "focus left";
  EXPECT_EQ(canvas.At(face.right - 2, middleY), (Rgb{162, 189, 252})) << "focus right";
  EXPECT_EQ(canvas.At(face.left + 20, face.top - 1), (Rgb{162, 201, 255})) << "focus top";
  EXPECT_EQ(canvas.At(face.left + 20, face.bottom), (Rgb{162, 201, 255})) << "focus bottom";
  // the dotted focus rectangle flips every other pixel of the face's left column
  int dotted = 0;
  for (int y = face.top + 2; y < face.bottom - 2; ++y) {
    if (canvas.At(face.left, y) != (Rgb{153, 198, 252})) ++dotted;
  }
  EXPECT_GT(dotted, 3);
}

TEST_F(XPButtonTest, HoveredDrawsTheHotPensWithoutFocusRectangle) {
  SendMessageW(button_, WM_MOUSEHOVER, 0, 0);
  Canvas canvas = NewCanvas();
  Draw(canvas, ODS_FOCUS);
  const RECT face = Face();
  const Rgb hot{41, 56, 206};
  for (int y = face.top + 2; y < face.bottom - 2; ++y) {
    ASSERT_EQ(canvas.At(face.left, y), hot) << "left edge row " << y;
    ASSERT_EQ(canvas.At(face.right - 1, y), hot) << "right edge row " << y;
  }
  EXPECT_EQ(canvas.At(face.left + 20, face.top), hot) << "top";
  EXPECT_EQ(canvas.At(face.left + 20, face.bottom), hot) << "bottom";
}

TEST_F(XPButtonTest, LeaveEndsTheHoverLook) {
  SendMessageW(button_, WM_MOUSEHOVER, 0, 0);
  SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
  Canvas canvas = NewCanvas();
  Draw(canvas, 0);
  EXPECT_EQ(FaceRow(canvas, Face().bottom), (Rgb{234, 234, 243}));
}

// Bounding box of the dark caption pixels.
RECT CaptionBox(const Canvas& canvas) {
  RECT box{canvas.width(), canvas.height(), -1, -1};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.At(x, y).r < 100 && canvas.At(x, y).b < 150) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
    }
  }
  return box;
}

TEST_F(XPButtonTest, PressingShiftsTheCaptionOnePixelRightAndDown) {
  // ODS_DEFAULT has the same pressed-look gradient as ODS_SELECTED, so only the shift differs
  Canvas still = NewCanvas();
  Draw(still, ODS_DEFAULT);
  Canvas pressed = NewCanvas();
  Draw(pressed, ODS_SELECTED);
  const RECT a = CaptionBox(still);
  const RECT b = CaptionBox(pressed);
  ASSERT_GE(a.right, a.left) << "no caption pixels found";
  EXPECT_EQ(b.left, a.left + 1);
  EXPECT_EQ(b.top, a.top + 1);
}

TEST_F(XPButtonTest, DisabledCaptionIsEmbossedNotBlack) {
  Canvas enabled = NewCanvas();
  Draw(enabled, 0);
  Canvas disabled = NewCanvas();
  Draw(disabled, ODS_DISABLED);
  const RECT box = CaptionBox(enabled);
  ASSERT_GE(box.right, box.left);
  int black = 0;
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      if (disabled.At(x, y) == (Rgb{0, 0, 0})) ++black;
    }
  }
  EXPECT_EQ(black, 0);
}

TEST_F(XPButtonTest, MnemonicAmpersandIsNotDrawnAsText) {
  // "&Send" draws "Send" with an underline: as wide as "Send", not "&Send"
  HWND second = dialog_.Item(IDC_TEST_SECOND);
  RECT r;
  GetClientRect(second, &r);
  Canvas canvas(r.right, r.bottom);
  Draw(canvas, 0, second);
  const RECT box = CaptionBox(canvas);
  HDC dc = GetDC(second);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(second, WM_GETFONT, 0, 0)));
  SIZE send{};
  GetTextExtentPoint32W(dc, L"Send", 4, &send);
  SelectObject(dc, old);
  ReleaseDC(second, dc);
  EXPECT_LE(box.right - box.left + 1, send.cx);
  EXPECT_GE(box.bottom - box.top + 1, 2) << "underline and glyphs";
}

TEST(LightBackground, DialogAndStaticTextsPaint239_247_255) {
  winui::Modeless<ButtonDialog> dialog;
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  Canvas canvas(client.right, client.bottom);
  SendMessageW(dialog.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
  EXPECT_EQ(canvas.At(client.right - 3, client.bottom - 3), (Rgb{239, 247, 255}));

  HWND label = dialog.Item(IDC_TEST_LABEL);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(dialog.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                   reinterpret_cast<LPARAM>(label)));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH info{};
  GetObjectW(brush, sizeof info, &info);
  EXPECT_EQ(info.lbColor, RGB(239, 247, 255));
  EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);
}

}  // namespace
