// The black mark dialog in-process: frames of each button, the keys it reads
// and writes, H across buttons and openings, both modes, the range messages,
// the status line texts and the test receipts.
#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "HexBytes.h"
#include "prtbench/config/win/BlackMarkDialog.h"
#include "prtbench/res/resource.h"

namespace {

using namespace prtbench;
using namespace configtest;

constexpr char kCaption[] = "BlaceMarkSet";

class BlackMarkDialogTest : public ConfigDialogTest {
 protected:
  BlackMarkDialogTest() { UsePrinterType(2); }
  void UsePrinterType(int type) {
    app_.link.UpdateSettings([type](ConnectionSettings& s) { s.printerType = type; });
  }
  // Opens the dialog in `mode` and runs `script` on it, then closes it.
  void Run(std::function<void(HWND)> script, BlackMarkMode mode = BlackMarkMode::Standard) {
    WhenShown(kCaption, [script](HWND dialog) {
      script(dialog);
      Close(dialog);
    });
    ShowBlackMarkDialog(nullptr, app_.context, h_, mode);
  }
  // Types `text` into field `field` and presses `button`.
  static void Enter(HWND dialog, int field, const std::string& text, int button) {
    SetText(dialog, field, text);
    Click(dialog, button);
  }

  BlackMarkH h_;  // the run's H, across the openings of one test
};

TEST_F(BlackMarkDialogTest, OpensOnTheStoredDistancesOrTheirDefaults) {
  app_.settings.Put("SET", "BLMLCUT", "33");
  Run([](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_BLACKMARK_MAX_LENGTH), "300");
    EXPECT_EQ(Text(dialog, IDC_BLACKMARK_WIDTH_LIMIT), "10");
    EXPECT_EQ(Text(dialog, IDC_BLACKMARK_CUT_OFFSET), "33");
    EXPECT_EQ(Text(dialog, IDC_BLACKMARK_PRINT_OFFSET), "20");
    EXPECT_TRUE(Checked(dialog, IDC_BLACKMARK_DIRECTION_FEED));
    EXPECT_EQ(WindowText(dialog), kCaption);
    EXPECT_EQ(StaticBackground(dialog, IDC_BLACKMARK_DIRECTION_FEED), RGB(239, 247, 255));
    EXPECT_TRUE(IsOwnerDrawn(dialog, IDC_BLACKMARK_TICKET_TEST));
  });
  EXPECT_TRUE(Sends().empty());
}

TEST_F(BlackMarkDialogTest, SettingButtonsStoreThenSendAndSayHowItWent) {
  Run([](HWND dialog) {
    Enter(dialog, IDC_BLACKMARK_MAX_LENGTH, "300", IDC_BLACKMARK_MAX_LENGTH_SET);
    Enter(dialog, IDC_BLACKMARK_WIDTH_LIMIT, "10", IDC_BLACKMARK_WIDTH_LIMIT_SET);
    Click(dialog, IDC_BLACKMARK_DIRECTION_REVERSE);
    Enter(dialog, IDC_BLACKMARK_CUT_OFFSET, "20", IDC_BLACKMARK_CUT_OFFSET_SET);
  });
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1F 1B 1F 81 04 05 06 60 09 00"), HexBytes("1F 1B 1F 82 04 05 06 50 00 00"),
                                HexBytes("1D 28 46 04 00 02 01 A0 00 00")}));
  EXPECT_EQ(Stored("SET", "BLMMAX"), "300");
  EXPECT_EQ(Stored("SET", "BLMWITCH"), "10");
  EXPECT_EQ(Stored("SET", "BLMLCUT"), "20");
  EXPECT_EQ(h_.Get(), 160);
}

TEST_F(BlackMarkDialogTest, StatusLineTellsTheOutcomeInTheLanguage) {
  const struct {
    int button;
    Language language;
    bool printer;
    const char* status;
  } cases[] = {
      {IDC_BLACKMARK_OPEN, Language::English, true, "Open Black Mark successful!"},
      {IDC_BLACKMARK_OPEN, Language::Chinese, false, "开启黑标失败！"},
      {IDC_BLACKMARK_CLOSE, Language::Chinese, true, "关闭黑标成功！"},
      {IDC_BLACKMARK_CLOSE, Language::English, false, "Close Black Mark failed!"},
      {IDC_BLACKMARK_MAX_LENGTH_SET, Language::English, true, "Set successful!"},
      {IDC_BLACKMARK_WIDTH_LIMIT_SET, Language::Chinese, false, "设置失败！"},
  };
  for (const auto& c : cases) {
    app_.context.SetLanguage(c.language);
    app_.devices.missingPaths = c.printer ? std::set<std::string>{} : std::set<std::string>{"LPT1"};
    app_.link.CloseLpt();
    Run([&](HWND dialog) { Click(dialog, c.button); });
    app_.Drain();
    EXPECT_EQ(Status(), c.status) << c.button;
    const std::vector<std::string> shown = ShownInStatusLine();
    ASSERT_FALSE(shown.empty()) << c.button;
    EXPECT_EQ(shown.back(), c.status) << c.button;
  }
  EXPECT_EQ(Sends(), (std::vector<Bytes>{HexBytes("1F 1B 1F 80 04 05 06 44"), HexBytes("1F 1B 1F 80 04 05 06 66 00"),
                                         HexBytes("1F 1B 1F 81 04 05 06 60 09 00")}));
}

TEST_F(BlackMarkDialogTest, PositionsAndTestsShowNoMessageInTheStatusLine) {
  const int buttons[] = {IDC_BLACKMARK_CUT_OFFSET_SET, IDC_BLACKMARK_PRINT_OFFSET_SET, IDC_BLACKMARK_TICKET_TEST,
                         IDC_BLACKMARK_PRINT_START_TEST, IDC_BLACKMARK_CUT_TEST};
  for (const int button : buttons) {
    const size_t sendsBefore = Sends().size();
    Run([button](HWND dialog) { Click(dialog, button); });
    EXPECT_GT(Sends().size(), sendsBefore) << button;
    EXPECT_EQ(ShownInStatusLine(), std::vector<std::string>{}) << button;
  }
}

TEST_F(BlackMarkDialogTest, PrintPositionAddsTheHighByteOfH) {
  Run([](HWND dialog) {
    Enter(dialog, IDC_BLACKMARK_WIDTH_LIMIT, "30", IDC_BLACKMARK_WIDTH_LIMIT_SET);    // H = 240
    Enter(dialog, IDC_BLACKMARK_PRINT_OFFSET, "40", IDC_BLACKMARK_PRINT_OFFSET_SET);  // 40 01
    Enter(dialog, IDC_BLACKMARK_CUT_OFFSET, "100", IDC_BLACKMARK_CUT_OFFSET_SET);     // H = 800
  });
  // H is the program's: a new opening still sees it
  Run([](HWND dialog) { Click(dialog, IDC_BLACKMARK_PRINT_OFFSET_SET); });
  const std::vector<Bytes> sends = Sends();
  ASSERT_EQ(sends.size(), 4u);
  EXPECT_EQ(sends[1], HexBytes("1D 28 46 04 00 01 00 40 01 00"));
  EXPECT_EQ(sends[2], HexBytes("1D 28 46 04 00 02 00 20 03 00"));
  EXPECT_EQ(sends[3], HexBytes("1D 28 46 04 00 01 00 40 04 00"));
  EXPECT_EQ(Stored("SET", "BLMPRTCUT"), "40");
}

TEST_F(BlackMarkDialogTest, PrinterTypeOneSendsNoOffsets) {
  UsePrinterType(1);
  Run([](HWND dialog) {
    Click(dialog, IDC_BLACKMARK_CUT_OFFSET_SET);
    Click(dialog, IDC_BLACKMARK_PRINT_OFFSET_SET);
  });
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1D 28 46 04 00 02 00 00 00 00"), HexBytes("1D 28 46 04 00 01 00 00 00 00")}));
}

TEST_F(BlackMarkDialogTest, AlternativeModeCountsFromTheReferences) {
  Run(
      [](HWND dialog) {
        Click(dialog, IDC_BLACKMARK_CUT_OFFSET_SET);    // 20 mm of 300: (45 - 20) / 0.176 = 142
        Click(dialog, IDC_BLACKMARK_PRINT_OFFSET_SET);  // (20 + 20) / 0.176 = 227
      },
      BlackMarkMode::Alternative);
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1D 28 46 04 00 02 00 8E 00 00"), HexBytes("1D 28 46 04 00 01 00 E3 00 00")}));
}

TEST_F(BlackMarkDialogTest, BadFieldsAreReportedAndTheButtonGoesOn) {
  Run([](HWND dialog) {
    Enter(dialog, IDC_BLACKMARK_MAX_LENGTH, "600", IDC_BLACKMARK_MAX_LENGTH_SET);
    SetText(dialog, IDC_BLACKMARK_MAX_LENGTH, "300");
    Enter(dialog, IDC_BLACKMARK_WIDTH_LIMIT, "wide", IDC_BLACKMARK_WIDTH_LIMIT_SET);
  });
  EXPECT_EQ(app_.prompts.messages(),
            (std::vector<std::string>{"Please enter an integer between 50 and 500.", "Please enter an integer."}));
  // 600 goes out as read; the width that was no number keeps 10
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1F 1B 1F 81 04 05 06 C0 12 00"), HexBytes("1F 1B 1F 82 04 05 06 50 00 00")}));
  EXPECT_EQ(Stored("SET", "BLMMAX"), "600");
  EXPECT_EQ(Stored("SET", "BLMWITCH"), "10");
}

TEST_F(BlackMarkDialogTest, ReceiptsUseTheValuesLastRead) {
  Run([](HWND dialog) {
    // typed but not yet set: the receipts still print 20 and 20
    SetText(dialog, IDC_BLACKMARK_PRINT_OFFSET, "35");
    Click(dialog, IDC_BLACKMARK_DIRECTION_REVERSE);
    Click(dialog, IDC_BLACKMARK_TICKET_TEST);
    Click(dialog, IDC_BLACKMARK_PRINT_START_TEST);
    Click(dialog, IDC_BLACKMARK_CUT_TEST);
  });
  const std::vector<Bytes> sends = Sends();
  ASSERT_EQ(sends.size(), 10u);
  const std::vector<size_t> sizes = {2, 50, 50, 3, 2, 42, 40, 40, 40, 4};
  for (size_t i = 0; i < sizes.size(); ++i) EXPECT_EQ(sends[i].size(), sizes[i]) << i;
  EXPECT_EQ(sends[0], HexBytes("1D 0C"));
  EXPECT_EQ(sends[3], HexBytes("1D 56 30"));
  EXPECT_EQ(sends[9], HexBytes("0A 1D 56 01"));
  // "(进纸方向)" and " 20 mm": the feed direction and print offset as opened
  EXPECT_EQ(Bytes(sends[2].begin() + 20, sends[2].begin() + 38),
            HexBytes("28 BD F8 D6 BD B7 BD CF F2 29 B4 A6 20 32 30 20 6D 6D"));
  EXPECT_EQ(Bytes(sends[6].begin() + 21, sends[6].begin() + 28), HexBytes("20 32 30 20 6D 6D 0A"));
}

}  // namespace
