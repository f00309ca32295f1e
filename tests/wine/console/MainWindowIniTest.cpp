// The main window on a real Printer.ini, read and written with the profile
// functions: what the file says at start, what it holds after exit.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/Pause.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/link/win/IniFile.h"
#include "prtbench/res/resource.h"
#include "support/LinkRig.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "support/Unix.h"

namespace {

using namespace testsupport;

class MainWindowIniTest : public testing::Test, protected LinkRig {
 protected:
  // Runs the window from start to exit on `dir`/Printer.ini; `during` acts on it.
  template <typename Action>
  void Run(Action during) {
    prtbench::IniFileStore store(WindowsPath(dir_ + "/Printer.ini"));
    winui::Modeless<prtbench::CKALDRODlg> window(
        {link, socket, monitor, status, store, prompts_, launcher_, {}, [] { return prtbench::Ipv4{0}; },
         [] { return std::unique_ptr<prtbench::AdapterConfigurator>(); }, clock_});
    ASSERT_NE(window.Create(nullptr), nullptr);
    during(window.hwnd());
    DestroyWindow(window.hwnd());
  }
  std::string Ini() const { return ReadFile(dir_ + "/Printer.ini"); }

  std::string dir_ = MakeTempDir();
  kit::FunctionClock clock_;
  RecordingPrompts prompts_;
  RecordingLauncher launcher_;
};

TEST_F(MainWindowIniTest, WrittenFileSetsTheWindowAndExitWritesItBack) {
  WriteFile(dir_ + "/Printer.ini",
            "[Printer Address]\r\nIP=127.0.0.5\r\n[Port Name]\r\nCom Name=COM3\r\nLpt Name=LPT3\r\n"
            "[Printer Set]\r\nPort Select=0\r\nPrinter Select=1\r\nBaudRate Select=19200\r\n"
            "[Language Select]\r\nLanguage=1\r\n[Power By Tav 2021]\r\nProID=1\r\n");
  Run([&](HWND main) {
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_MAIN_PORT_LPT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_MAIN_PRINTER_POS76), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(main, IDC_MAIN_SERIAL_WRITE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_LPT_NAME)));
    EXPECT_EQ(state.language(), prtbench::Language::English);
    const prtbench::ConnectionSettings s = link.Settings();
    EXPECT_EQ(s.portType, prtbench::kPortLpt);
    EXPECT_EQ(s.lptName, "LPT3");
    EXPECT_EQ(s.comName, "COM3");
    EXPECT_EQ(s.baudRate, 19200);
    EXPECT_EQ(s.printerIp, prtbench::MakeIpv4(127, 0, 0, 5));
    EXPECT_EQ(s.proId, 1);
  });
  const std::string ini = Ini();
  for (const char* line : {"IP=127.0.0.5", "Com Name=COM3", "Lpt Name=LPT3", "Port Select=0", "Printer Select=1",
                           "BaudRate Select=19200", "Language=0", "ProID=1"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  }
}

TEST_F(MainWindowIniTest, MissingFileGivesTheDefaultsAndExitCreatesIt) {
  Run([&](HWND main) {
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_MAIN_PORT_NET), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, IDC_MAIN_SERIAL_WRITE)));
    EXPECT_EQ(link.Settings().printerIp, prtbench::MakeIpv4(192, 168, 123, 100));
  });
  const std::string ini = Ini();
  for (const char* line : {"IP=192.168.123.100", "Com Name=COM1", "Lpt Name=LPT1", "Port Select=3",
                           "Printer Select=2", "BaudRate Select=9600", "Language=0"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  }
  EXPECT_EQ(ini.find("CodePage"), std::string::npos);
}

// A folder that cannot take Printer.ini (here a folder of that name stands
// in the way): the seven keys written at exit fail, and the user hears it once.
TEST_F(MainWindowIniTest, AnUnwritableFileIsToldOnceInsteadOfLosingTheSettingsWithoutAWord) {
  ASSERT_TRUE(CreateDirectoryW(WindowsPath(dir_ + "/Printer.ini").c_str(), nullptr));
  Run([&](HWND) { EXPECT_TRUE(prompts_.messages().empty()); });
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Printer.ini beside the program cannot be written: the "
                                                          "settings changed now will not be kept!"});
}

}  // namespace
