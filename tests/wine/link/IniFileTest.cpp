// Printer.ini through the private profile functions: defaults without a file,
// the exit save and start-up load on a real file, cuts, integers.
#include <gtest/gtest.h>
#include <windows.h>

#include "prtbench/link/PrinterIni.h"
#include "prtbench/link/win/IniFile.h"
#include "support/Unix.h"

namespace {

using namespace prtbench;
using namespace testsupport;

class IniFileTest : public testing::Test {
 protected:
  std::string path_ = MakeTempDir() + "/Printer.ini";
  IniFileStore store_{WindowsPath(path_)};
};

TEST_F(IniFileTest, WithoutAFileEveryKeyReadsItsDefault) {
  const MainWindowSettings loaded = LoadMainWindowSettings(store_);
  EXPECT_EQ(FormatIpv4(loaded.printerIp), "192.168.123.100");
  EXPECT_EQ(loaded.comName, "COM1");
  EXPECT_EQ(loaded.lptName, "LPT1");
  EXPECT_EQ(loaded.portType, kPortNet);
  EXPECT_EQ(loaded.baudRate, 9600);
  EXPECT_EQ(Read(store_, ini::kBlackMarkMax), 300);
  EXPECT_EQ(Read(store_, ini::kBluetoothPin), "486239");
  EXPECT_EQ(FormatIpv4(Read(store_, ini::kNetMask)), "255.255.255.0");
  EXPECT_EQ(ReadFile(path_), "");  // reading creates nothing
}

TEST_F(IniFileTest, ExitSaveWritesTheSevenKeysAndStartUpReadsThemBack) {
  MainWindowSettings values;
  values.printerIp = MakeIpv4(127, 0, 0, 1);
  values.comName = "COM10";
  values.lptName = "LPT2";
  values.portType = kPortCom;
  values.printerType = 1;
  values.baudRate = 115200;
  values.language = Language::Chinese;
  SaveMainWindowSettings(store_, values);
  const std::string text = ReadFile(path_);
  for (const char* line : {"[Printer Address]", "IP=127.0.0.1", "[Port Name]", "Com Name=COM10", "Lpt Name=LPT2",
                           "[Printer Set]", "Port Select=1", "Printer Select=1", "BaudRate Select=115200",
                           "[Language Select]", "Language=1"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  EXPECT_EQ(text.find("CodePage"), std::string::npos);
  EXPECT_EQ(text.find("ProID"), std::string::npos);
  const MainWindowSettings loaded = LoadMainWindowSettings(store_);
  EXPECT_EQ(loaded.printerIp, values.printerIp);
  EXPECT_EQ(loaded.comName, "COM10");
  EXPECT_EQ(loaded.portType, kPortCom);
  EXPECT_EQ(loaded.baudRate, 115200);
  EXPECT_EQ(loaded.language, Language::English);
}

TEST_F(IniFileTest, ValuesWrittenByHandAreReadLikeTheProgramReadsThem) {
  WriteFile(path_,
            "[Printer Address]\r\nIP=not-an-address\r\n"
            "[Port Name]\r\nCom Name=" + std::string(60, 'C') + "\r\n"
            "[SET]\r\nBtName=" + std::string(200, 'B') + "\r\nBLMMAX=450\r\n"
            "[Power By Tav 2021]\r\nProID=1\r\n"
            "[NET]\r\nGATE=10.0.0.254\r\nKEYT=x\r\n");
  EXPECT_EQ(Read(store_, ini::kPrinterIp), kAllOnesIpv4);
  EXPECT_EQ(Read(store_, ini::kComName), std::string(39, 'C'));
  EXPECT_EQ(Read(store_, ini::kBluetoothName), std::string(127, 'B'));
  EXPECT_EQ(Read(store_, ini::kBlackMarkMax), 450);
  EXPECT_EQ(Read(store_, ini::kProId), 1);
  EXPECT_EQ(Read(store_, ini::kNetGateway), MakeIpv4(10, 0, 0, 254));
  EXPECT_EQ(Read(store_, ini::kNetKeyType), 0);  // no digits: the profile reads 0
}

TEST_F(IniFileTest, DialogKeysWriteIntegersAndAddressesInTheirFormats) {
  Write(store_, ini::kNetAddress, MakeIpv4(192, 168, 1, 50));
  Write(store_, ini::kDip80, 129);
  Write(store_, ini::kNetSsid, "Shop WiFi");
  const std::string text = ReadFile(path_);
  EXPECT_NE(text.find("IPADDR=192.168.1.50"), std::string::npos) << text;
  EXPECT_NE(text.find("P80SW=129"), std::string::npos) << text;
  EXPECT_EQ(Read(store_, ini::kNetSsid), "Shop WiFi");
}

TEST(SettingsFilePath, IsPrinterIniBesideTheProgram) {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring directory(module, length);
  directory.resize(directory.rfind(L'\\'));
  EXPECT_EQ(SettingsFilePath(), directory + L"\\Printer.ini");
}

}  // namespace
