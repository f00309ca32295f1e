// drvsetup's entry point: the backdrop window run modally over the real
// spooler, prompts, launcher and USB printers; the program ends with it.
#include <windows.h>

#include <commctrl.h>

#include "drvsetup/win/SetupDialog.h"

namespace drvsetup {

class CFerrowPrinterDriverSetupApp {
 public:
  int InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x3FFF};  // every common control class
    InitCommonControlsEx(&controls);
    WinSpooler spooler;
    winui::Win32Prompts prompts("drvsetup");
    winui::ShellLauncher launcher;
    SystemUsbPrinters usb;
    kit::SleepingClock clock;
    SetupServices services{spooler, prompts, launcher, usb, clock, DetectWindows(), UserDisplayLanguage()};
    ShowSetupDialog(nullptr, services);
    return 0;
  }
};

}  // namespace drvsetup

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  drvsetup::CFerrowPrinterDriverSetupApp app;
  return app.InitInstance();
}
