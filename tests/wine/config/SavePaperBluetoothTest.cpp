// The paper saving and Bluetooth dialogs in-process: their frames, texts and
// the Bluetooth keys read but never written.
#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "HexBytes.h"
#include "prtbench/config/win/BluetoothDialog.h"
#include "prtbench/config/win/SavePaperDialog.h"
#include "prtbench/res/resource.h"

namespace {

using namespace prtbench;
using namespace configtest;

constexpr char kSavePaper[] = "Paper saving function setting";
constexpr char kBluetooth[] = "Bluetooth Settings";

using SavePaperDialogTest = ConfigDialogTest;

TEST_F(SavePaperDialogTest, EachApplySendsOnlyItsGroup) {
  WhenShown(kSavePaper, [](HWND dialog) {
    Click(dialog, IDC_SAVEPAPER_TOP_BLANK_ON);
    Click(dialog, IDC_SAVEPAPER_BARCODE_HEIGHT_75);
    Click(dialog, IDC_SAVEPAPER_LINE_SPACE_50);
    Click(dialog, IDC_SAVEPAPER_MIDDLE_BLANK_25);
    Click(dialog, IDC_SAVEPAPER_TOP_BLANK_APPLY);
    Click(dialog, IDC_SAVEPAPER_BARCODE_HEIGHT_APPLY);
    Click(dialog, IDC_SAVEPAPER_LINE_SPACE_APPLY);
    Click(dialog, IDC_SAVEPAPER_MIDDLE_BLANK_APPLY);
    Close(dialog);
  });
  ShowSavePaperDialog(nullptr, app_.context);
  EXPECT_EQ(Sends(), (std::vector<Bytes>{HexBytes("1F 1B 1F 00 0A 00 01"), HexBytes("1F 1B 1F 00 0A 03 4B"),
                                         HexBytes("1F 1B 1F 00 0A 02 32"), HexBytes("1F 1B 1F 00 0A 01 19")}));
  EXPECT_TRUE(app_.settings.log().empty());
  // the applies show no message
  EXPECT_EQ(ShownInStatusLine(), std::vector<std::string>{});
}

TEST_F(SavePaperDialogTest, OpensOnTheFirstButtonsInTheLanguage) {
  const int ids[] = {
      IDC_SAVEPAPER_TOP_BLANK_GROUP,      IDC_SAVEPAPER_MIDDLE_BLANK_GROUP,   IDC_SAVEPAPER_LINE_SPACE_GROUP,
      IDC_SAVEPAPER_BARCODE_HEIGHT_GROUP, IDC_SAVEPAPER_TOP_BLANK_OFF,        IDC_SAVEPAPER_TOP_BLANK_ON,
      IDC_SAVEPAPER_TOP_BLANK_APPLY,      IDC_SAVEPAPER_BARCODE_HEIGHT_APPLY, IDC_SAVEPAPER_MIDDLE_BLANK_75};
  const struct {
    Language language;
    std::vector<std::string> texts;
  } cases[] = {
      {Language::English,
       {"Delete blank line at the top", "Scale-down the blank line at the middle",
        "Scale-down the line space at the middle", "Scale-down the barcode height", "Off", "On", "Apply to Printer",
        "Apply to Printer", "75%"}},
      {Language::Chinese,
       {"票单顶部空白去除", "票单中间空白行压缩", "票单排版行间距压缩", "票单条码高度压缩", "关闭", "打开",
        "应用到打印机", "应用到打印机", "75%"}},
  };
  for (const auto& c : cases) {
    app_.context.SetLanguage(c.language);
    std::vector<std::string> texts;
    WhenShown(kSavePaper, [&](HWND dialog) {
      for (int id : ids) texts.push_back(Text(dialog, id));
      for (int id : {IDC_SAVEPAPER_TOP_BLANK_OFF, IDC_SAVEPAPER_MIDDLE_BLANK_0, IDC_SAVEPAPER_LINE_SPACE_0,
                     IDC_SAVEPAPER_BARCODE_HEIGHT_0}) {
        EXPECT_TRUE(Checked(dialog, id)) << id;
      }
      Close(dialog);
    });
    ShowSavePaperDialog(nullptr, app_.context);
    EXPECT_EQ(texts, c.texts);
  }
}

using BluetoothDialogTest = ConfigDialogTest;

TEST_F(BluetoothDialogTest, OpensOnTheStoredNameAndPinWithTheirSwitches) {
  app_.settings.Put("SET", "BtName", "Shelf-7");
  WhenShown(kBluetooth, [](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_BLUETOOTH_NAME), "Shelf-7");
    EXPECT_EQ(Text(dialog, IDC_BLUETOOTH_PIN), "486239");  // the default
    EXPECT_EQ(Text(dialog, IDC_BLUETOOTH_COMMAND), "");
    EXPECT_TRUE(Checked(dialog, IDC_BLUETOOTH_NAME_SWITCH));
    EXPECT_TRUE(Checked(dialog, IDC_BLUETOOTH_PIN_SWITCH));
    EXPECT_FALSE(Checked(dialog, IDC_BLUETOOTH_COMMAND_SWITCH));
    EXPECT_EQ(StaticBackground(dialog, IDC_BLUETOOTH_NAME_SWITCH), RGB(239, 247, 255));
    Close(dialog);
  });
  ShowBluetoothDialog(nullptr, app_.context);
  EXPECT_TRUE(Sends().empty());
}

TEST_F(BluetoothDialogTest, SetSendsTheTickedPartsAndStoresNothing) {
  const std::string header = "1F 1B 1F 62 74 73 0D 0A 41 54 2B 4E 41 4D 45 ";
  const std::string trailer = "0D 0A 0D 0A 00 00";
  WhenShown(kBluetooth, [](HWND dialog) {
    SetText(dialog, IDC_BLUETOOTH_NAME, "AB");
    Click(dialog, IDC_BLUETOOTH_PIN_SWITCH);  // off
    Click(dialog, IDC_BLUETOOTH_SET);
    Click(dialog, IDC_BLUETOOTH_NAME_SWITCH);  // off
    Click(dialog, IDC_BLUETOOTH_SET);
    Click(dialog, IDC_BLUETOOTH_PIN_SWITCH);  // on, name still off
    Click(dialog, IDC_BLUETOOTH_COMMAND_SWITCH);
    SetText(dialog, IDC_BLUETOOTH_PIN, "12");
    SetText(dialog, IDC_BLUETOOTH_COMMAND, "AT+R\r\nAT+S");
    Click(dialog, IDC_BLUETOOTH_SET);
    Close(dialog);
  });
  ShowBluetoothDialog(nullptr, app_.context);
  const std::vector<Bytes> sends = Sends();
  ASSERT_EQ(sends.size(), 3u);
  EXPECT_EQ(sends[0], HexBytes(header + "41 42 " + trailer));
  EXPECT_EQ(sends[0].size(), 23u);
  EXPECT_EQ(sends[1], HexBytes(header + trailer));
  EXPECT_EQ(sends[1].size(), 21u);
  EXPECT_EQ(sends[2], HexBytes(header + "0D 0A 41 54 2B 50 49 4E 31 32 41 54 2B 52 0D 0A 41 54 2B 53 " + trailer));
  for (const std::string& entry : app_.settings.log()) EXPECT_NE(entry.rfind("write", 0), 0u) << entry;
}

TEST_F(BluetoothDialogTest, AVeryLongCommandGoesWholeInOneFrame) {
  const std::string command(3000, 'x');
  WhenShown(kBluetooth, [&](HWND dialog) {
    Click(dialog, IDC_BLUETOOTH_COMMAND_SWITCH);
    SetText(dialog, IDC_BLUETOOTH_COMMAND, command);
    SetText(dialog, IDC_BLUETOOTH_NAME, std::string(1000, 'n'));
    Click(dialog, IDC_BLUETOOTH_SET);
    Close(dialog);
  });
  ShowBluetoothDialog(nullptr, app_.context);
  const std::vector<Bytes> sends = Sends();
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].size(), 15u + 1000 + 8 + 6 + 3000 + 6);
}

}  // namespace
