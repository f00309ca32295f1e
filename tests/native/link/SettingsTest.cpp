// Connection settings, the Com Settings lists and Printer.ini: start values,
// every key's default and format, cuts, bad addresses, load and save order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSettingsStore.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/PrinterIni.h"

namespace {

using namespace prtbench;
using linktest::FakeSettingsStore;

TEST(ConnectionSettings, StartValues) {
  const ConnectionSettings s;
  EXPECT_EQ(s.portType, kPortNet);
  EXPECT_EQ(s.printerType, 2);
  EXPECT_EQ(s.comName, "COM1");
  EXPECT_EQ(s.lptName, "LPT1");
  EXPECT_EQ(s.baudRate, 9600);
  EXPECT_EQ(s.com.byteSize, 8);
  EXPECT_EQ(s.com.parity, 0);
  EXPECT_EQ(s.com.stopBits, 0);
  EXPECT_FALSE(s.ctsFlow);
  EXPECT_EQ(s.com.timeoutSeconds, 1);
  EXPECT_EQ(FormatIpv4(s.printerIp), "192.168.123.100");
  EXPECT_TRUE(s.com.defaultIp);
  EXPECT_EQ(s.codePage, 936);
  EXPECT_EQ(s.proId, 0);
}

TEST(ComSettingsLists, OpenOnTheCurrentValues) {
  ComSettings com;
  com.byteSize = 7;
  com.parity = 2;
  com.stopBits = 2;
  com.timeoutSeconds = 30;
  const ComListSelection selection = ListSelectionOf(com);
  EXPECT_EQ(selection.byteSize, 3);
  EXPECT_EQ(selection.parity, 2);
  EXPECT_EQ(selection.stopBits, 2);
  EXPECT_EQ(selection.timeout, 29);
  const ComListSelection start = ListSelectionOf(ComSettings{});
  EXPECT_EQ(start.byteSize, 4);
  EXPECT_EQ(start.timeout, 0);
}

TEST(ComSettingsLists, OkMapsEveryStopBitsEntry) {
  const struct {
    int index;
    int stopBits;
  } rows[] = {{0, 0}, {1, 1}, {2, 2}};
  for (const auto& row : rows) {
    ComSettings com;
    com.stopBits = 9;
    ApplyListSelection({4, 0, row.index, 0}, com);
    EXPECT_EQ(com.stopBits, row.stopBits) << row.index;
  }
}

TEST(ComSettingsLists, OkMapsByteSizeParityAndTimeOut) {
  ComSettings com;
  ApplyListSelection({0, 4, 0, 14}, com);
  EXPECT_EQ(com.byteSize, 4);
  EXPECT_EQ(com.parity, 4);
  EXPECT_EQ(com.timeoutSeconds, 15);
  ApplyListSelection({4, 1, 1, 29}, com);
  EXPECT_EQ(com.byteSize, 8);
  EXPECT_EQ(com.parity, 1);
  EXPECT_EQ(com.timeoutSeconds, 30);
}

TEST(ComSettingsLists, ListWithoutSelectionKeepsItsValue) {
  ComSettings com;
  ApplyListSelection({-1, -1, -1, -1}, com);
  EXPECT_EQ(com.byteSize, 8);
  EXPECT_EQ(com.parity, 0);
  EXPECT_EQ(com.stopBits, 0);
  EXPECT_EQ(com.timeoutSeconds, 1);
}

struct KeyRow {
  const char* section;
  const char* key;
  const char* defaultText;  // what an empty file reads as, as text
  int buffer;               // 0 for integer keys
};

// Every key of Printer.ini, its section and default.
const KeyRow kIntKeys[] = {
    {"Printer Set", "Port Select", "3", 0},       {"Printer Set", "Printer Select", "2", 0},
    {"Printer Set", "BaudRate Select", "9600", 0}, {"Language Select", "Language", "1", 0},
    {"CodePage Select", "CodePage", "936", 0},     {"Power By Tav 2021", "ProID", "0", 0},
    {"SET", "BLMLCUT", "20", 0},                   {"SET", "BLMPRTCUT", "20", 0},
    {"SET", "BLMMAX", "300", 0},                   {"SET", "BLMWITCH", "10", 0},
    {"SET", "P76ESW", "0", 0},                     {"SET", "P58SW", "0", 0},
    {"SET", "P80SW", "0", 0},                      {"NET", "KEYT", "6", 0},
};
const IntKey kIntKeyObjects[] = {ini::kPortSelect, ini::kPrinterSelect, ini::kBaudRate,      ini::kLanguage,
                                 ini::kCodePage,   ini::kProId,         ini::kBlackMarkCut,  ini::kBlackMarkPrintCut,
                                 ini::kBlackMarkMax, ini::kBlackMarkWidth, ini::kDipP76E, ini::kDip58,
                                 ini::kDip80,      ini::kNetKeyType};

TEST(PrinterIni, IntegerKeysHaveTheirSectionsAndDefaults) {
  static_assert(std::size(kIntKeys) == std::size(kIntKeyObjects));
  const FakeSettingsStore empty;
  for (size_t i = 0; i < std::size(kIntKeys); ++i) {
    EXPECT_STREQ(kIntKeyObjects[i].section, kIntKeys[i].section);
    EXPECT_STREQ(kIntKeyObjects[i].key, kIntKeys[i].key);
    EXPECT_EQ(std::to_string(Read(empty, kIntKeyObjects[i])), kIntKeys[i].defaultText) << kIntKeys[i].key;
  }
}

TEST(PrinterIni, TextKeysHaveTheirSectionsDefaultsAndBuffers) {
  const KeyRow rows[] = {{"Port Name", "Com Name", "COM1", 40},    {"Port Name", "Lpt Name", "LPT1", 40},
                         {"SET", "BtName", "Quillon384", 128},     {"SET", "BtPinKey", "486239", 128},
                         {"NET", "SSID", "Quillon384", 128},       {"NET", "KEY", "Quillon384", 128}};
  const TextKey keys[] = {ini::kComName, ini::kLptName, ini::kBluetoothName, ini::kBluetoothPin, ini::kNetSsid,
                          ini::kNetKey};
  const FakeSettingsStore empty;
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_STREQ(keys[i].section, rows[i].section);
    EXPECT_STREQ(keys[i].key, rows[i].key);
    EXPECT_EQ(keys[i].buffer, rows[i].buffer);
    EXPECT_EQ(Read(empty, keys[i]), rows[i].defaultText);
  }
}

TEST(PrinterIni, AddressKeysHaveTheirSectionsDefaultsAndBuffers) {
  const KeyRow rows[] = {{"Printer Address", "IP", "192.168.123.100", 40},
                         {"NET", "IPADDR", "192.168.123.100", 128},
                         {"NET", "MASK", "255.255.255.0", 128},
                         {"NET", "GATE", "192.168.123.1", 128}};
  const AddressKey keys[] = {ini::kPrinterIp, ini::kNetAddress, ini::kNetMask, ini::kNetGateway};
  const FakeSettingsStore empty;
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_STREQ(keys[i].section, rows[i].section);
    EXPECT_STREQ(keys[i].key, rows[i].key);
    EXPECT_EQ(keys[i].buffer, rows[i].buffer);
    EXPECT_EQ(FormatIpv4(Read(empty, keys[i])), rows[i].defaultText);
  }
}

TEST(PrinterIni, WritesIntegersAsDecimalAndAddressesDotted) {
  FakeSettingsStore store;
  Write(store, ini::kBlackMarkMax, 450);
  Write(store, ini::kDip58, -3);
  Write(store, ini::kNetMask, MakeIpv4(255, 255, 0, 0));
  Write(store, ini::kNetGateway, MakeIpv4(10, 1, 2, 254));
  Write(store, ini::kBluetoothName, "Printer-1");
  EXPECT_EQ(store.log(), (std::vector<std::string>{"write SET/BLMMAX=450", "write SET/P58SW=-3",
                                                    "write NET/MASK=255.255.0.0", "write NET/GATE=10.1.2.254",
                                                    "write SET/BtName=Printer-1"}));
  EXPECT_EQ(Read(store, ini::kBlackMarkMax), 450);
  EXPECT_EQ(Read(store, ini::kNetGateway), MakeIpv4(10, 1, 2, 254));
}

TEST(PrinterIni, LongTextsAreCutToTheirBuffer) {
  FakeSettingsStore store;
  store.Put("Port Name", "Com Name", std::string(50, 'C'));
  store.Put("SET", "BtName", std::string(200, 'B'));
  EXPECT_EQ(Read(store, ini::kComName), std::string(39, 'C'));
  EXPECT_EQ(Read(store, ini::kBluetoothName), std::string(127, 'B'));
}

TEST(PrinterIni, CutCountsUtf16UnitsAndNeverSplitsACharacter) {
  // 打 is one UTF-16 unit (three UTF-8 bytes); U+1F5A8 is two units (four bytes)
  std::string chinese;
  for (int i = 0; i < 45; ++i) chinese += "打";
  EXPECT_EQ(CutToBuffer(chinese, 40), chinese.substr(0, 39 * 3));
  const std::string wide = std::string(38, 'x') + "\xF0\x9F\x96\xA8";
  EXPECT_EQ(CutToBuffer(wide, 40), std::string(38, 'x'));  // the pair would need units 39 and 40
  EXPECT_EQ(CutToBuffer(wide, 41), wide);
  EXPECT_EQ(CutToBuffer("", 40), "");
}

TEST(PrinterIni, AnIpThatIsNoAddressReadsAsAllOnes) {
  FakeSettingsStore store;
  store.Put("Printer Address", "IP", "printer.local");
  store.Put("NET", "MASK", "255.255.255");
  EXPECT_EQ(Read(store, ini::kPrinterIp), kAllOnesIpv4);
  EXPECT_EQ(Read(store, ini::kNetMask), kAllOnesIpv4);
}

TEST(PrinterIni, AnIpCutByItsBufferNoLongerParses) {
  FakeSettingsStore store;
  store.Put("Printer Address", "IP", std::string(30, ' ') + "10.0.0.123");  // 40 characters: the last is cut
  EXPECT_EQ(Read(store, ini::kPrinterIp), kAllOnesIpv4);
}

TEST(MainWindowSettings, NoFileGivesTheStartValuesInEnglish) {
  const FakeSettingsStore empty;
  const MainWindowSettings loaded = LoadMainWindowSettings(empty);
  EXPECT_EQ(FormatIpv4(loaded.printerIp), "192.168.123.100");
  EXPECT_EQ(loaded.comName, "COM1");
  EXPECT_EQ(loaded.lptName, "LPT1");
  EXPECT_EQ(loaded.portType, kPortNet);
  EXPECT_EQ(loaded.printerType, 2);
  EXPECT_EQ(loaded.baudRate, 9600);
  EXPECT_EQ(loaded.language, Language::English);
  EXPECT_EQ(loaded.codePage, 936);
  EXPECT_EQ(loaded.proId, 0);
}

TEST(MainWindowSettings, LoadReadsTheKeysInOrder) {
  const FakeSettingsStore empty;
  LoadMainWindowSettings(empty);
  EXPECT_EQ(empty.log(), (std::vector<std::string>{
                             "read-text Printer Address/IP", "read-text Port Name/Com Name",
                             "read-text Port Name/Lpt Name", "read-int Printer Set/Port Select",
                             "read-int Printer Set/Printer Select", "read-int Printer Set/BaudRate Select",
                             "read-int CodePage Select/CodePage", "read-int Power By Tav 2021/ProID"}));
}

TEST(MainWindowSettings, StoredValuesAreLoadedButTheLanguageStaysEnglish) {
  FakeSettingsStore store;
  store.Put("Printer Address", "IP", "127.0.0.5");
  store.Put("Port Name", "Com Name", "COM10");
  store.Put("Port Name", "Lpt Name", "LPT2");
  store.Put("Printer Set", "Port Select", "1");
  store.Put("Printer Set", "Printer Select", "0");
  store.Put("Printer Set", "BaudRate Select", "115200");
  store.Put("Language Select", "Language", "1");
  store.Put("CodePage Select", "CodePage", "860");
  store.Put("Power By Tav 2021", "ProID", "1");
  const MainWindowSettings loaded = LoadMainWindowSettings(store);
  EXPECT_EQ(loaded.printerIp, MakeIpv4(127, 0, 0, 5));
  EXPECT_EQ(loaded.comName, "COM10");
  EXPECT_EQ(loaded.lptName, "LPT2");
  EXPECT_EQ(loaded.portType, kPortCom);
  EXPECT_EQ(loaded.printerType, 0);
  EXPECT_EQ(loaded.baudRate, 115200);
  EXPECT_EQ(loaded.language, Language::English);
  EXPECT_EQ(loaded.codePage, 860);
  EXPECT_EQ(loaded.proId, 1);
}

TEST(MainWindowSettings, ApplyGivesTheMonitorThePrinterIp) {
  MainWindowSettings loaded;
  loaded.printerIp = MakeIpv4(127, 0, 0, 9);
  loaded.comName = "COM3";
  loaded.portType = kPortUsb;
  loaded.proId = 2;
  ConnectionSettings settings;
  ApplyLoaded(loaded, settings);
  EXPECT_EQ(settings.printerIp, MakeIpv4(127, 0, 0, 9));
  EXPECT_EQ(settings.com.monitorIp, MakeIpv4(127, 0, 0, 9));
  EXPECT_EQ(settings.comName, "COM3");
  EXPECT_EQ(settings.portType, kPortUsb);
  EXPECT_EQ(settings.proId, 2);
  EXPECT_EQ(settings.com.byteSize, 8);  // serial values are not kept in the file
}

TEST(MainWindowSettings, SaveWritesTheSevenKeysInTableOrder) {
  FakeSettingsStore store;
  MainWindowSettings values;
  values.printerIp = MakeIpv4(10, 20, 30, 40);
  values.comName = "COM4";
  values.lptName = "LPT3";
  values.portType = kPortLpt;
  values.printerType = 1;
  values.baudRate = 128000;
  values.language = Language::Chinese;
  values.codePage = 860;
  values.proId = 1;
  SaveMainWindowSettings(store, values);
  EXPECT_EQ(store.log(), (std::vector<std::string>{
                             "write Printer Address/IP=10.20.30.40", "write Port Name/Com Name=COM4",
                             "write Port Name/Lpt Name=LPT3", "write Printer Set/Port Select=0",
                             "write Printer Set/Printer Select=1", "write Printer Set/BaudRate Select=128000",
                             "write Language Select/Language=1"}));
}

TEST(MainWindowSettings, SavedValuesLoadBackExceptTheLanguage) {
  FakeSettingsStore store;
  MainWindowSettings values;
  values.printerIp = MakeIpv4(127, 0, 0, 1);
  values.comName = "COM7";
  values.portType = kPortCom;
  values.language = Language::Chinese;
  SaveMainWindowSettings(store, values);
  const MainWindowSettings loaded = LoadMainWindowSettings(store);
  EXPECT_EQ(loaded.printerIp, values.printerIp);
  EXPECT_EQ(loaded.comName, "COM7");
  EXPECT_EQ(loaded.portType, kPortCom);
  EXPECT_EQ(loaded.language, Language::English);
}

}  // namespace
