// The upgrade worker thread and how it reaches the window: by posted
// messages only, and never after the window is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <thread>

#include "fwflash/FirmwareFile.h"
#include "fwflash/Transport.h"
#include "fwflash/win/PortLayer.h"
#include "winui/WindowLink.h"

namespace fwflash {

// wParam: the progress value, 0 to 100.
inline constexpr UINT WM_FWFLASH_PROGRESS = WM_APP + 1;
// wParam: the UpgradeResult, as an int.
inline constexpr UINT WM_FWFLASH_DONE = WM_APP + 2;

struct UpgradeJob {
  PortLayer* ports;
  PortSelection selection;
  FirmwareImage image;  // owned by the upgrade and freed at its end
  std::shared_ptr<winui::WindowLink> window;  // detached when the window goes
};

// The body of the worker: runs the upgrade and posts each new progress value
// and then the result to the window. Returns 1.
DWORD UpgradeThreadProc(UpgradeJob job);

// Starts UpgradeThreadProc on its own thread; the caller joins it before the
// port layer goes, so the program never ends in the middle of an image.
std::thread StartUpgradeThread(UpgradeJob job);

}  // namespace fwflash
