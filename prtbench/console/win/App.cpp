// prtbench's entry point: common controls, then the main window, run modally.
#include <windows.h>

#include <commctrl.h>

#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  winui::Dialog main(IDD_MAIN);
  main.DoModal(nullptr);
  return 0;
}
