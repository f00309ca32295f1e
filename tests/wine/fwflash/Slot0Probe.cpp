// A helper program for ProgramNameTest: copied under various file names, it
// opens the updater window as fwflash does and writes the accepted vendor
// table's slot 0 to the file named by its argument.
#include <windows.h>

#include <fstream>

#include "common/Pause.h"
#include "fwflash/win/FwflashDialog.h"
#include "fwflash/win/ProgramFile.h"
#include "support/RecordingPrompts.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  fwflash::SetupApiUsbDevices devices;
  kit::FunctionClock clock;
  fwflash::PortLayer ports(devices, clock);
  testsupport::RecordingPrompts prompts;
  winui::Modeless<fwflash::CLumaqFwflashDlg> window(ports, prompts, fwflash::OwnProgramPath());
  if (!window.Create(nullptr)) return 3;
  std::ofstream(argv[1], std::ios::binary) << ports.vendors().Slot(0);
  DestroyWindow(window.hwnd());
  return 0;
}
