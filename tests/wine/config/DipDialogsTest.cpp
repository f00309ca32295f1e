// The DIP switch dialogs in-process: the byte each choice sends and stores,
// the switches a stored byte shows, the P76E texts and characters per line.
#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "HexBytes.h"
#include "prtbench/config/win/DipDialogs.h"
#include "prtbench/res/resource.h"

namespace {

using namespace prtbench;
using namespace configtest;

constexpr char kP80[] = "Configurações Gerais";
constexpr char kP58[] = "P58 DIP Settings";
constexpr char kP76E[] = "P76E DIP Settings";

class DipDialogsTest : public ConfigDialogTest {
 protected:
  void Store(const char* key, const char* value) { app_.settings.Put("SET", key, value); }
};

TEST_F(DipDialogsTest, P80ChoicesAreStoredThenSent) {
  struct Case {
    std::vector<int> clicks;
    int baud;
    const char* stored;
    const char* frame;
  };
  const Case cases[] = {
      {{}, 1, "0", "1F 1B 1F BF 00 00"},
      {{IDC_P80DIP_CUTTER_NO, IDC_P80DIP_BEEP_YES}, 2, "-61", "1F 1B 1F BF C3 00"},
      {{IDC_P80DIP_PAPER_58_NO, IDC_P80DIP_CPL_42, IDC_P80DIP_DRAWER_YES}, 0, "116", "1F 1B 1F BF 74 00"},
      {{}, 3, "-128", "1F 1B 1F BF 80 00"},
  };
  for (const Case& c : cases) {
    Store("P80SW", "0");
    WhenShown(kP80, [&](HWND dialog) {
      for (int id : c.clicks) Click(dialog, id);
      SelectCombo(dialog, IDC_P80DIP_BAUD, c.baud);
      Click(dialog, IDC_P80DIP_SET);
      Close(dialog);
    });
    ShowP80DipDialog(nullptr, app_.context);
    EXPECT_EQ(Stored("SET", "P80SW"), c.stored) << c.frame;
    EXPECT_EQ(Sends().back(), HexBytes(c.frame));
  }
  EXPECT_EQ(Sends().size(), 4u);
}

TEST_F(DipDialogsTest, P80OpensOnTheStoredSwitchesAndAlwaysOn115200) {
  Store("P80SW", "-48");  // C0 speed bits and 0x10: "42/56"
  WhenShown(kP80, [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_P80DIP_CPL_42));
    for (int id : {IDC_P80DIP_CUTTER_YES, IDC_P80DIP_BEEP_NO, IDC_P80DIP_PAPER_58_YES, IDC_P80DIP_DRAWER_NO}) {
      EXPECT_TRUE(Checked(dialog, id)) << id;
    }
    EXPECT_EQ(ComboIndex(dialog, IDC_P80DIP_BAUD), 3);
    EXPECT_EQ(ComboEntries(dialog, IDC_P80DIP_BAUD).at(3), "115200");
    EXPECT_FALSE(Visible(dialog, IDC_P80DIP_CHINESE_YES));
    // the cutter with drawer buttons are offered without their group box
    HWND drawerBox = FindWindowExW(dialog, nullptr, L"Button", L"Cutter with drawer");
    ASSERT_NE(drawerBox, nullptr);
    EXPECT_FALSE(IsWindowVisible(drawerBox));
    EXPECT_TRUE(Visible(dialog, IDC_P80DIP_DRAWER_YES));
    Close(dialog);
  });
  ShowP80DipDialog(nullptr, app_.context);
  EXPECT_TRUE(Sends().empty());  // closing sends nothing
}

TEST_F(DipDialogsTest, P80KeepsTheHiddenChineseModeBit) {
  Store("P80SW", "8");
  WhenShown(kP80, [](HWND dialog) {
    SelectCombo(dialog, IDC_P80DIP_BAUD, 1);
    Click(dialog, IDC_P80DIP_SET);
    Close(dialog);
  });
  ShowP80DipDialog(nullptr, app_.context);
  EXPECT_EQ(Sends(), (std::vector<Bytes>{HexBytes("1F 1B 1F BF 08 00")}));
}

TEST_F(DipDialogsTest, P58AllSecondButtonsSendE5AndStoreMinus27) {
  WhenShown(kP58, [](HWND dialog) {
    for (int id : {IDC_P58DIP_CUTTER_ON, IDC_P58DIP_CUT_FULL, IDC_P58DIP_DENSITY_DARK, IDC_P58DIP_BEEPER_YES,
                   IDC_P58DIP_DRAWER_YES}) {
      Click(dialog, id);
    }
    Click(dialog, IDC_P58DIP_SET);
    Close(dialog);
  });
  ShowP58DipDialog(nullptr, app_.context);
  EXPECT_EQ(Stored("SET", "P58SW"), "-27");
  EXPECT_EQ(Sends(), (std::vector<Bytes>{HexBytes("1F 1B 1F BF E5 00")}));
}

TEST_F(DipDialogsTest, SetShowsNoMessageInTheStatusLine) {
  const struct {
    const char* caption;
    void (*show)(HWND, Context&);
  } cases[] = {{kP80, ShowP80DipDialog}, {kP58, ShowP58DipDialog}, {kP76E, ShowP76EDipDialog}};
  for (const auto& c : cases) {
    WhenShown(c.caption, [](HWND dialog) {
      Click(dialog, IDC_P80DIP_SET);  // 1014 in all three
      Close(dialog);
    });
    c.show(nullptr, app_.context);
  }
  EXPECT_EQ(Sends().size(), 3u);
  EXPECT_EQ(ShownInStatusLine(), std::vector<std::string>{});
}

TEST_F(DipDialogsTest, AStoredValueThatIsNoNumberOpensEveryDialogAtIndexZero) {
  for (const char* key : {"P80SW", "P58SW", "P76ESW"}) Store(key, "abc");
  WhenShown(kP80, [](HWND dialog) {
    for (int id : {IDC_P80DIP_CUTTER_YES, IDC_P80DIP_BEEP_NO, IDC_P80DIP_PAPER_58_YES, IDC_P80DIP_CHINESE_YES,
                   IDC_P80DIP_CPL_48, IDC_P80DIP_DRAWER_NO}) {
      EXPECT_TRUE(Checked(dialog, id)) << id;
    }
    Close(dialog);
  });
  ShowP80DipDialog(nullptr, app_.context);
  WhenShown(kP58, [](HWND dialog) {
    for (int id : {IDC_P58DIP_CUTTER_OFF, IDC_P58DIP_CUT_PARTIAL, IDC_P58DIP_DENSITY_LIGHT, IDC_P58DIP_BEEPER_NO,
                   IDC_P58DIP_DRAWER_NO}) {
      EXPECT_TRUE(Checked(dialog, id)) << id;
    }
    Close(dialog);
  });
  ShowP58DipDialog(nullptr, app_.context);
  WhenShown(kP76E, [](HWND dialog) {
    for (int id : {IDC_P76EDIP_BLACK_MARK_OFF, IDC_P76EDIP_CUTTER_OFF, IDC_P76EDIP_CUT_PARTIAL, IDC_P76EDIP_ONE_WAY_OFF,
                   IDC_P76EDIP_DOUBLE_BYTE_ON, IDC_P76EDIP_PAPER_58_OFF, IDC_P76EDIP_CPL_42}) {
      EXPECT_TRUE(Checked(dialog, id)) << id;
    }
    Close(dialog);
  });
  ShowP76EDipDialog(nullptr, app_.context);
}

TEST_F(DipDialogsTest, P76ECharactersPerLineFollowPaperAndBit) {
  const struct {
    const char* stored;
    int shown;
  } cases[] = {
      {"-64", IDC_P76EDIP_CPL_30}, {"64", IDC_P76EDIP_CPL_33}, {"-128", IDC_P76EDIP_CPL_40}, {"0", IDC_P76EDIP_CPL_42}};
  for (const auto& c : cases) {
    Store("P76ESW", c.stored);
    int shownAtOpen = 0;
    WhenShown(kP76E, [&](HWND dialog) {
      for (int id : {IDC_P76EDIP_CPL_40, IDC_P76EDIP_CPL_42, IDC_P76EDIP_CPL_30, IDC_P76EDIP_CPL_33}) {
        if (Checked(dialog, id)) shownAtOpen = id;
      }
      Click(dialog, IDC_P76EDIP_SET);  // unchanged: stores what it opened on
      Close(dialog);
    });
    ShowP76EDipDialog(nullptr, app_.context);
    EXPECT_EQ(shownAtOpen, c.shown) << c.stored;
    EXPECT_EQ(Stored("SET", "P76ESW"), c.stored);
  }
}

TEST_F(DipDialogsTest, P76ESwitchesGiveTheirBits) {
  WhenShown(kP76E, [](HWND dialog) {
    for (int id : {IDC_P76EDIP_BLACK_MARK_ON, IDC_P76EDIP_CUTTER_ON, IDC_P76EDIP_CUT_FULL, IDC_P76EDIP_ONE_WAY_ON,
                   IDC_P76EDIP_DOUBLE_BYTE_OFF, IDC_P76EDIP_PAPER_58_ON, IDC_P76EDIP_CPL_33}) {
      Click(dialog, id);
    }
    Click(dialog, IDC_P76EDIP_SET);
    Close(dialog);
  });
  ShowP76EDipDialog(nullptr, app_.context);
  // an 80 mm count with 58 mm paper: the bit follows the paper switch as read at Set
  WhenShown(kP76E, [](HWND dialog) {
    Click(dialog, IDC_P76EDIP_CPL_42);
    Click(dialog, IDC_P76EDIP_SET);
    Close(dialog);
  });
  ShowP76EDipDialog(nullptr, app_.context);
  EXPECT_EQ(Sends(), (std::vector<Bytes>{HexBytes("1F 1B 1F BF 5F 00"), HexBytes("1F 1B 1F BF DF 00")}));
  EXPECT_EQ(Stored("SET", "P76ESW"), "-33");
}

TEST_F(DipDialogsTest, P76ETextsFollowTheLanguage) {
  const struct {
    Language language;
    std::vector<std::string> texts;
  } cases[] = {
      {Language::English,
       {"Set BlackMark", "Cut Select", "Cut Mode", "Sig Select", "Double Byte", "58mm Select", "characters per line",
        "Set"}},
      {Language::Chinese,
       {"黑标模式", "切刀选择", "切刀模式", "单向选择", "双字节代码", "纸宽58MM选择", "每行打印字符数", "设置"}},
  };
  const int ids[] = {
      IDC_P76EDIP_BLACK_MARK_GROUP,  IDC_P76EDIP_CUTTER_GROUP,   IDC_P76EDIP_CUT_MODE_GROUP, IDC_P76EDIP_ONE_WAY_GROUP,
      IDC_P76EDIP_DOUBLE_BYTE_GROUP, IDC_P76EDIP_PAPER_58_GROUP, IDC_P76EDIP_CPL_GROUP,      IDC_P76EDIP_SET};
  for (const auto& c : cases) {
    app_.context.SetLanguage(c.language);
    std::vector<std::string> texts;
    WhenShown(kP76E, [&](HWND dialog) {
      for (int id : ids) texts.push_back(Text(dialog, id));
      Close(dialog);
    });
    ShowP76EDipDialog(nullptr, app_.context);
    EXPECT_EQ(texts, c.texts);
  }
}

TEST_F(DipDialogsTest, LightBackgroundAndDrawnSetButton) {
  for (auto show : {ShowP80DipDialog, ShowP58DipDialog, ShowP76EDipDialog}) {
    const char* caption = show == ShowP80DipDialog ? kP80 : show == ShowP58DipDialog ? kP58 : kP76E;
    WhenShown(caption, [](HWND dialog) {
      EXPECT_EQ(StaticBackground(dialog, IDC_P80DIP_CUTTER_YES), RGB(239, 247, 255));
      EXPECT_TRUE(IsOwnerDrawn(dialog, IDC_P80DIP_SET));
      Close(dialog);
    });
    show(nullptr, app_.context);
  }
}

}  // namespace
