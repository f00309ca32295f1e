// Runs the upgrade off the window's thread.
#include "fwflash/win/UpgradeThread.h"

#include <optional>

namespace fwflash {

DWORD UpgradeThreadProc(UpgradeJob job) {
  job.ports->SetRunning();
  std::optional<FirmwareImage> image(std::move(job.image));
  SelectedPort port(*job.ports, job.selection);
  int shown = -1;
  // only changes are posted: a 1 GiB image has half a million chunks, more
  // than a message queue holds
  const UpgradeResult result = RunUpgrade(*image, port, [&](int progress) {
    if (progress == shown) return;
    shown = progress;
    job.window->Post(WM_FWFLASH_PROGRESS, static_cast<WPARAM>(progress));
  });
  image.reset();
  job.window->Post(WM_FWFLASH_DONE, static_cast<WPARAM>(static_cast<int>(result)));
  return 1;
}

std::thread StartUpgradeThread(UpgradeJob job) { return std::thread(UpgradeThreadProc, std::move(job)); }

}  // namespace fwflash
