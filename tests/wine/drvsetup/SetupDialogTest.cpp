// The backdrop in-process: after an installation the user wants to configure
// it opens the printer's properties, turns them to their third tab by the
// title of the display language, and ends five seconds later.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "FakeUsbPrinters.h"
#include "SpoolerState.h"
#include "ThreadWindow.h"
#include "common/Pause.h"
#include "drvsetup/Drivers.h"
#include "drvsetup/Texts.h"
#include "drvsetup/res/resource.h"
#include "drvsetup/win/SetupDialog.h"
#include "support/DialogDriver.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace {

std::function<void(HWND)> g_onConfing;

void CALLBACK WhenConfingShows(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = testsupport::ThreadWindowTitled(L"Install Configuration");
  if (!dialog) return;
  KillTimer(nullptr, id);
  g_onConfing(dialog);
}

using testsupport::Click;

// A stand-in for the printer's properties window: a tab control of four tabs.
class PropertiesWindow {
 public:
  explicit PropertiesWindow(const std::wstring& title) {
    window_ = CreateWindowExW(0, L"#32770", title.c_str(), WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                              nullptr);
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 180, window_, nullptr, nullptr,
                            nullptr);
    for (int i = 0; i < 4; ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      wchar_t text[] = L"tab";
      item.pszText = text;
      SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  ~PropertiesWindow() { DestroyWindow(window_); }
  int FocusedTab() const { return static_cast<int>(SendMessageW(tabs_, TCM_GETCURFOCUS, 0, 0)); }

 private:
  HWND window_;
  HWND tabs_;
};

const std::vector<std::string> kDriverFiles{"POS80.DLL",  "POS80C.GPD", "UNIDRV.DLL", "UNIDRVUI.DLL",
                                            "UNIRES.DLL", "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD"};

class SetupDialogTest : public testing::Test {
 protected:
  SetupDialogTest()
      : source_(std::string(drvsetup::EnvironmentFor(windows_.architecture).folder), kDriverFiles) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    testsupport::DeletePrinters("Corvane RX-8");
  }
  ~SetupDialogTest() override { testsupport::DeletePrinters("Corvane RX-8"); }

  // Installs Corvane RX-8 on LPT1: through the dialog, answering `configure`.
  void Run(unsigned language, bool configure) {
    prompts.AnswerYesNo(configure);
    g_onConfing = [](HWND d) {
      Click(d, IDC_CONFING_OTHER);
      Click(d, 1014);
      Click(d, IDC_CONFING_INSTALL);
    };
    SetTimer(nullptr, 0, 20, WhenConfingShows);
    drvsetup::SetupServices services{spooler, prompts, launcher, usb, clock_, windows_, language};
    services.driverRoot = source_.root();
    drvsetup::ShowSetupDialog(nullptr, services);
  }

  kit::FunctionClock clock_{[](unsigned) {}};
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  testsupport::FakeUsbPrinters usb;
  drvsetup::WinSpooler spooler;
  drvsetup::WindowsInfo windows_ = drvsetup::DetectWindows();
  testsupport::DriverSourceFolder source_;
};

TEST_F(SetupDialogTest, ConfiguringOpensThePropertiesOnTheirThirdTabInTheKnownLanguages) {
  const std::vector<std::tuple<unsigned, std::wstring, int>> cases{
      {1033, L"Corvane RX-8 Properties", 2}, {2052, L"Corvane RX-8 属性", 2}, {1031, L"Corvane RX-8 Properties", 0}};
  for (const auto& [language, title, tab] : cases) {
    PropertiesWindow properties(title);
    const DWORD start = GetTickCount();
    Run(language, true);
    EXPECT_GE(GetTickCount() - start, 4900u) << language;
    EXPECT_EQ(properties.FocusedTab(), tab) << language;
    EXPECT_EQ(launcher.launches().back(), "C:\\windows\\system32\\rundll32.exe printui.dll,PrintUIEntry /p /n \"Corvane RX-8\"");
    testsupport::DeletePrinters("Corvane RX-8");
  }
  EXPECT_EQ(launcher.launches().size(), 3u);
}

TEST_F(SetupDialogTest, DecliningEndsAtOnceWithoutProperties) {
  const DWORD start = GetTickCount();
  Run(1033, false);
  EXPECT_LT(GetTickCount() - start, 4000u);
  EXPECT_TRUE(launcher.launches().empty());
  EXPECT_TRUE(testsupport::Printer("Corvane RX-8").has_value());
}

TEST_F(SetupDialogTest, PropertiesThatDoNotOpenAreNamedAndTheProgramEnds) {
  launcher.AnswerOpen(false);
  const DWORD start = GetTickCount();
  Run(1033, true);
  EXPECT_LT(GetTickCount() - start, 4000u);
  EXPECT_EQ(prompts.messages().back(), drvsetup::StartFailedMessage("C:\\windows\\system32\\rundll32.exe", false));
}

}  // namespace
