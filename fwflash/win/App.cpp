// fwflash's entry point: the launch-token gate, then the updater window, run
// modally. The window refuses to close during an upgrade and joins its worker.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "fwflash/Texts.h"
#include "fwflash/win/FwflashDialog.h"
#include "fwflash/win/ProgramFile.h"
#include "winui/Utf.h"

namespace fwflash {
namespace {

std::vector<std::string> ArgumentsAfterProgram() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  for (int i = 1; arguments && i < count; ++i) result.push_back(winui::Narrow(arguments[i]));
  LocalFree(arguments);
  return result;
}

}  // namespace

class CLumaqFwflashApp {
 public:
  // Returns the exit code; shows nothing unless started with the launch token.
  int InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x3FFF};  // every common control class
    InitCommonControlsEx(&controls);
    if (!IsLaunchCommandLine(ArgumentsAfterProgram())) return 0;
    SetupApiUsbDevices usb;
    kit::SleepingClock clock;
    PortLayer ports(usb, clock);
    winui::Win32Prompts prompts{std::string(kWindowCaption)};
    ShowFwflashDialog(nullptr, ports, prompts, OwnProgramPath());
    return 0;
  }
};

}  // namespace fwflash

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  fwflash::CLumaqFwflashApp app;
  return app.InitInstance();
}
