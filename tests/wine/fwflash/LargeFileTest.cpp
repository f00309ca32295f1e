// A firmware file of the largest accepted size: checked by streaming, and
// refused with a message when it cannot be held in memory.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/Pause.h"
#include "fwflash/FirmwareFile.h"
#include "fwflash/res/resource.h"
#include "fwflash/win/FwflashDialog.h"
#include "support/AllocationLimit.h"
#include "support/RecordingPrompts.h"
#include "support/Unix.h"

namespace {

using namespace testsupport;

// A sparse 1 GiB file: "Tav", N = 2^30 - 12, zeros, a zero checksum.
std::string MakeGigabyteFirmware() {
  const std::string path = MakeTempDir() + "/big.fmw";
  EXPECT_EQ(RunShell("printf 'Tav\\000\\364\\377\\377\\077' > " + ShellQuote(path) + " && truncate -s 1073741824 " +
                     ShellQuote(path)),
            0);
  return path;
}

// Far below the 1 GiB file: holding the file in memory fails while it lives.
constexpr size_t kRoom = 64u << 20;

TEST(LargeFirmware, GigabyteFileIsValidByStreaming) {
  const std::string path = MakeGigabyteFirmware();
  AllocationLimit room(kRoom);  // the check must not need the memory it would take to hold the file
  EXPECT_TRUE(fwflash::IsValidFirmwareFile(std::filesystem::path(WindowsPath(path))));
}

TEST(LargeFirmware, LoadWithoutRoomIsOutOfMemoryNotACrash) {
  const std::string path = MakeGigabyteFirmware();
  AllocationLimit room(kRoom);
  EXPECT_EQ(fwflash::LoadFirmwareImage(std::filesystem::path(WindowsPath(path))).status,
            fwflash::LoadStatus::OutOfMemory);
}

TEST(LargeFirmware, StartWithoutRoomSaysSoAndEnablesTheControls) {
  const std::string path = MakeGigabyteFirmware();
  fwflash::SetupApiUsbDevices devices;
  kit::FunctionClock clock;
  fwflash::PortLayer ports(devices, clock);
  RecordingPrompts prompts;
  winui::Modeless<fwflash::CLumaqFwflashDlg> dialog(ports, prompts, u"fwflash.exe");
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  dialog.SetWideText(IDC_FWFLASH_PATH, WindowsPath(path));
  dialog.Enable(IDC_FWFLASH_START, true);
  {
    AllocationLimit room(kRoom);
    SendMessageW(dialog.Item(IDC_FWFLASH_START), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{"Not enough memory to load the firmware file"});
  EXPECT_TRUE(dialog.IsEnabled(IDC_FWFLASH_START));
  EXPECT_FALSE(dialog.upgradeRunning());
  DestroyWindow(dialog.hwnd());
}

}  // namespace
