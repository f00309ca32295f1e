// The configuration dialog in-process, driven with real messages from inside
// its modal loop, installing into Wine's spooler from dummy driver files;
// prompts, launches and USB printers are the seams' doubles.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FakeUsbPrinters.h"
#include "SpoolerState.h"
#include "common/Pause.h"
#include "drvsetup/Drivers.h"
#include "drvsetup/UsbPorts.h"
#include "drvsetup/res/resource.h"
#include "drvsetup/win/ConfingDialog.h"
#include "support/DialogDriver.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "winui/Utf.h"

namespace {

using drvsetup::ConfingOutcome;

using testsupport::Checked;
using testsupport::Click;
using testsupport::Enabled;
using testsupport::Text;

void Cancel(HWND dialog) { Click(dialog, IDC_CONFING_CANCEL); }

const std::vector<std::string> kAllDriverFiles{"POS80.DLL",  "POS58.DLL",  "POS80C.GPD",   "POS80.GPD",
                                               "POS58.GPD",  "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL",
                                               "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD"};

class ConfingDialogTest : public testing::Test {
 protected:
  ConfingDialogTest()
      : windows_(drvsetup::DetectWindows()),
        source_(std::string(drvsetup::EnvironmentFor(windows_.architecture).folder), kAllDriverFiles) {
    services_.driverRoot = source_.root();
    testsupport::DeletePrinters("Corvane RX-8");
  }
  ~ConfingDialogTest() override { testsupport::DeletePrinters("Corvane RX-8"); }

  ConfingOutcome Show(std::string windowsName, std::function<void(HWND)> script) {
    testsupport::WhenModal(std::move(script));
    services_.windows.name = std::move(windowsName);
    return drvsetup::ShowConfingDialog(nullptr, services_);
  }

  std::vector<unsigned> pauses;
  kit::FunctionClock clock_{[this](unsigned ms) { pauses.push_back(ms); }};
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  testsupport::FakeUsbPrinters usb;
  drvsetup::WindowsInfo windows_;
  testsupport::DriverSourceFolder source_;
  drvsetup::WinSpooler spooler_;
  drvsetup::SetupServices services_{spooler_, prompts, launcher, usb, clock_, windows_, 1033};
};

TEST_F(ConfingDialogTest, OpensWithTheHintAndTheWindowsOfTheSystemPreset) {
  const std::vector<std::pair<std::string, int>> cases{
      {"Windows 10", IDC_CONFING_WIN10},  {"Windows 8.1", IDC_CONFING_WIN8}, {"Windows 7", IDC_CONFING_WIN7},
      {"Windows 2000", IDC_CONFING_WIN10}, {"Windows XP", IDC_CONFING_WINXP}, {"Unknow", IDC_CONFING_WIN10}};
  for (const auto& [name, radio] : cases) {
    Show(name, [&](HWND d) {
      EXPECT_EQ(Text(d, IDC_CONFING_HINT),
                "You are using " + name + " " + windows_.architecture + " OS.\nPlease select " + name + " to install.");
      for (int id = IDC_CONFING_WIN10; id <= IDC_CONFING_WIN8; ++id) EXPECT_EQ(Checked(d, id), id == radio) << name << id;
      EXPECT_TRUE(Checked(d, IDC_CONFING_USB));
      EXPECT_TRUE(Checked(d, IDC_CONFING_PRINTER_DRIVER));
      for (int id = IDC_CONFING_SERIES_FIRST; id <= IDC_CONFING_SET_DEFAULT; ++id) EXPECT_FALSE(Checked(d, id)) << id;
      Cancel(d);
    });
  }
}

TEST_F(ConfingDialogTest, InstallWithoutASeriesAsksForOneAndChangesNothing) {
  Show("Windows 10", [](HWND d) {
    Click(d, IDC_CONFING_INSTALL);
    for (int id : {1014, IDC_CONFING_SET_DEFAULT, IDC_CONFING_INSTALL, IDC_CONFING_CANCEL, IDC_CONFING_CHECK_USB}) {
      EXPECT_TRUE(Enabled(d, id)) << id;
    }
    Cancel(d);
  });
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{"Please select a printer series !"});
  EXPECT_FALSE(testsupport::Printer("Corvane RX-8").has_value());
}

TEST_F(ConfingDialogTest, OtherInterfaceInstallsOnLpt1AndAsksToConfigure) {
  usb.accepted.printers = {{L"\\\\?\\usb#vid_0483&pid_5720#1#{x}", 12}};
  for (const bool configure : {false, true}) {
    prompts.AnswerYesNo(configure);
    const ConfingOutcome outcome = Show("Windows 7", [](HWND d) {
      Click(d, IDC_CONFING_OTHER);
      Click(d, 1014);
      Click(d, IDC_CONFING_INSTALL);
    });
    EXPECT_EQ(outcome.result, configure ? IDOK : IDCANCEL);
    EXPECT_EQ(outcome.printerName, configure ? "Corvane RX-8 (copy 1)" : "Corvane RX-8");
  }
  EXPECT_EQ(testsupport::Printer("Corvane RX-8")->port, "LPT1:");
  EXPECT_EQ(testsupport::Printer("Corvane RX-8 (copy 1)")->port, "LPT1:");
  EXPECT_TRUE(usb.prints().empty());
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ConfingDialogTest, UsbInterfaceInstallsOnTheFirstPrinterPortAndPrintsTheTestPage) {
  usb.accepted.printers = {{L"first", 12}, {L"second", 3}};
  prompts.AnswerYesNo(true);
  const ConfingOutcome outcome = Show("Windows 10", [](HWND d) {
    Click(d, 1014);
    Click(d, IDC_CONFING_SET_DEFAULT);
    Click(d, IDC_CONFING_INSTALL);
  });
  EXPECT_EQ(outcome.result, IDCANCEL);
  EXPECT_EQ(testsupport::Printer("Corvane RX-8")->port, "USB012");
  EXPECT_EQ(testsupport::DefaultPrinter(), "Corvane RX-8");
  ASSERT_EQ(prompts.records().size(), 1u);
  EXPECT_EQ(prompts.records()[0].text, "Succeed !\nDo you want to printing test page?");
  const std::vector<std::pair<std::wstring, std::string>> prints{{L"first", drvsetup::InstallTestPage()},
                                                                  {L"second", drvsetup::InstallTestPage()}};
  EXPECT_EQ(usb.prints(), prints);
  EXPECT_EQ(usb.listedModern(), (std::vector<bool>{true, true}));
  // the program waits for the pages themselves, not for a fixed pause
  EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 511u), 0);
}

TEST_F(ConfingDialogTest, EnterNeitherInstallsNorEndsTheDialog) {
  const ConfingOutcome outcome = Show("Windows 10", [](HWND d) {
    Click(d, 1014);
    // what Enter sends in a dialog without a default button
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(Enabled(d, IDC_CONFING_INSTALL));
    Cancel(d);
  });
  EXPECT_EQ(outcome.result, IDCANCEL);
  EXPECT_FALSE(testsupport::Printer("Corvane RX-8").has_value());
  EXPECT_TRUE(prompts.records().empty());
}

TEST_F(ConfingDialogTest, FailedInstallationSaysSoAndEnds) {
  source_.Remove("POS80C.GPD");
  const ConfingOutcome outcome = Show("Windows 7", [](HWND d) {
    Click(d, 1014);
    Click(d, IDC_CONFING_INSTALL);
  });
  EXPECT_EQ(outcome.result, IDCANCEL);
  EXPECT_EQ(prompts.messages(),
            (std::vector<std::string>{"Malfunction !\nPls try using <Run as administrator>open this App",
                                      "Install Failed ! "}));
  EXPECT_EQ(usb.listedModern(), std::vector<bool>{false});
}

TEST_F(ConfingDialogTest, CheckUsbPortReportsEveryPortAndPrintsACheckPageOnEach) {
  struct Case {
    std::vector<drvsetup::AcceptedPrinter> printers;
    bool complete;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases{
      {{{L"a", 1}, {L"b", 12}}, true, {"Your USB printer's Port is :\r\n\tUSB001 ;\r\n\tUSB012 ;\r\n"}},
      {{}, true, {"Have not found a USB printer device !"}},
      // an interface whose detail could not be read ends the check without a message
      {{}, false, {}},
  };
  for (const auto& c : cases) {
    testsupport::RecordingPrompts local;
    drvsetup::SetupServices services{spooler_, local, launcher, usb, clock_, windows_, 1033};
    usb.accepted = {c.printers, c.complete};
    testsupport::WhenModal([](HWND d) {
      Click(d, IDC_CONFING_CHECK_USB);
      EXPECT_FALSE(Enabled(d, IDC_CONFING_CHECK_USB));
      Cancel(d);
    });
    drvsetup::ShowConfingDialog(nullptr, services);
    EXPECT_EQ(local.messages(), c.messages);
  }
  const std::vector<std::pair<std::wstring, std::string>> prints{{L"a", drvsetup::CheckPage(1)},
                                                                  {L"b", drvsetup::CheckPage(12)}};
  EXPECT_EQ(usb.prints(), prints);
}

TEST_F(ConfingDialogTest, EveryFifthDoubleClickOnTheHintShowsTheNote) {
  Show("Windows 10", [](HWND d) {
    for (int i = 0; i < 11; ++i) {
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_CONFING_HINT, STN_DBLCLK),
                   reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_CONFING_HINT)));
    }
    Cancel(d);
  });
  ASSERT_EQ(prompts.messages().size(), 2u);
  EXPECT_EQ(prompts.messages()[0].size(), 52u);
  EXPECT_EQ(prompts.messages()[0], prompts.messages()[1]);
}

}  // namespace
