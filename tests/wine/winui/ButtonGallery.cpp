// Shows CXPButton in each of its looks side by side, for a screenshot check:
// plain, hovered, focused, pressed, default, disabled, on the light background.
#include <windows.h>

#include <commctrl.h>

#include "TestDialogs.h"
#include "winui/Dialog.h"

namespace {

class Gallery : public winui::Dialog {
 public:
  Gallery() : Dialog(IDD_TEST_GALLERY) {}

 protected:
  bool OnInit() override {
    UseLightBackground();
    for (int id = IDC_GALLERY_PLAIN; id <= IDC_GALLERY_DISABLED; ++id) AttachXPButton(id);
    SendMessageW(Item(IDC_GALLERY_HOVER), WM_MOUSEHOVER, 0, 0);
    SendMessageW(Item(IDC_GALLERY_PRESSED), BM_SETSTATE, TRUE, 0);
    Enable(IDC_GALLERY_DISABLED, false);
    SetFocus(Item(IDC_GALLERY_FOCUS));
    return false;  // keep the focus where it was put
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Gallery().DoModal(nullptr);
  return 0;
}
