// The advanced settings hub in-process: lists, each button's frames, the
// language it forces, the technicians' group, and the dialogs it opens.
#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "HexBytes.h"
#include "prtbench/config/win/AdvancedDialog.h"
#include "prtbench/imaging/Barcodes.h"
#include "prtbench/res/resource.h"
#include "support/Unix.h"
#include "winui/Utf.h"

namespace {

using namespace prtbench;
using namespace configtest;

constexpr char kCaption[] = "Corvane Printer Tool";

class AdvancedDialogTest : public ConfigDialogTest {
 protected:
  void Run(std::function<void(HWND)> script) {
    WhenShown(kCaption, [script](HWND dialog) {
      script(dialog);
      Click(dialog, IDC_ADVANCED_BACK);
    });
    ShowAdvancedDialog(nullptr, app_.context, h_);
  }

  BlackMarkH h_;
};

TEST_F(AdvancedDialogTest, ListsHoldTheirEntriesAndInitialSelections) {
  const struct {
    int id;
    int count;
    int selected;
    const char* shown;
  } lists[] = {
      {IDC_ADVANCED_DENSITY, 8, 4, "5"},
      {IDC_ADVANCED_CODEPAGE, 70, 3, "PC860(PT)"},
      {IDC_ADVANCED_BARCODE_TYPE, 9, 2, "EAN(JAN)13"},
      {IDC_ADVANCED_BARCODE_HEIGHT, 255, 128, "129"},
      {IDC_ADVANCED_BAUD, 4, 1, "19200"},
      {IDC_ADVANCED_WIDTH, 8, 0, "72mm"},
      {IDC_ADVANCED_BUZZER, 2, 0, "ON"},
      {IDC_ADVANCED_SENSITIVITY, 24, 0, "1"},
      {IDC_ADVANCED_SENSITIVITY_HIGH, 24, 0, "1"},
      {IDC_ADVANCED_INPUT_CODEPAGE, 0, -1, ""},
  };
  Run([&](HWND dialog) {
    for (const auto& list : lists) {
      EXPECT_EQ(static_cast<int>(ComboEntries(dialog, list.id).size()), list.count) << list.id;
      EXPECT_EQ(ComboIndex(dialog, list.id), list.selected) << list.id;
      if (list.selected >= 0) {
        EXPECT_EQ(ComboEntries(dialog, list.id).at(list.selected), list.shown) << list.id;
      }
    }
    // unsorted, duplicates kept
    EXPECT_EQ(ComboEntries(dialog, IDC_ADVANCED_CODEPAGE).at(28), "(Thai)");
    EXPECT_EQ(ComboEntries(dialog, IDC_ADVANCED_CODEPAGE).at(68), "PC3041(MT)");
    EXPECT_EQ(ComboEntries(dialog, IDC_ADVANCED_CODEPAGE).at(69), "PC3041(MT)");
    EXPECT_EQ(ComboEntries(dialog, IDC_ADVANCED_WIDTH).at(7), "68mm");
    EXPECT_EQ(ComboEntries(dialog, IDC_ADVANCED_BARCODE_TYPE).at(8), "CODE128");
  });
}

TEST_F(AdvancedDialogTest, EachButtonSendsItsFrames) {
  struct Case {
    int list;  // 0: none
    int index;
    int button;
    std::vector<const char*> frames;
  };
  const Case cases[] = {
      {IDC_ADVANCED_DENSITY, 7, IDC_ADVANCED_DENSITY_SET, {"1F 1B 1F 13 14 08 00 00 00 00"}},
      {0, 0, IDC_ADVANCED_DENSITY_SET, {"1F 1B 1F 13 14 05 00 00 00 00"}},
      {IDC_ADVANCED_CODEPAGE, 28, IDC_ADVANCED_CODEPAGE_SET, {"1F 1B 1F FF FF 0A 00"}},
      {IDC_ADVANCED_CODEPAGE, 69, IDC_ADVANCED_CODEPAGE_SET, {"1F 1B 1F FF 59 0A 00"}},
      {0, 0, IDC_ADVANCED_CODEPAGE_SET, {"1F 1B 1F FF 03 0A 00"}},
      {0, 0, IDC_ADVANCED_INTERFACE_USB, {"1F 1B 1F B8 13 14 00 00"}},
      {0, 0, IDC_ADVANCED_INTERFACE_COM, {"1F 1B 1F B8 13 14 01 00"}},
      {IDC_ADVANCED_BAUD, 3, IDC_ADVANCED_BAUD_SET, {"1F 1B 1F BE 03 0A 00"}},
      {IDC_ADVANCED_WIDTH, 2, IDC_ADVANCED_WIDTH_SET, {"1F 1B 1F E1 13 14 02 00 00 00 00"}},
      {IDC_ADVANCED_WIDTH, 3, IDC_ADVANCED_WIDTH_SET, {"1F 1B 1F E1 13 14 03 00 00 00 00"}},
      {0, 0, IDC_ADVANCED_PRINT_H_LINE, {"02 03 80 00"}},
      {IDC_ADVANCED_BUZZER, 1, IDC_ADVANCED_BUZZER_SET, {"1F 1B 1F 42 65 65 70 06 0A 00"}},
      {IDC_ADVANCED_SENSITIVITY, 23, IDC_ADVANCED_SENSITIVITY_SET, {"1F 1B 1F 83 04 05 06 30 18"}},
  };
  for (const Case& c : cases) {
    const size_t before = Sends().size();
    Run([&](HWND dialog) {
      if (c.list) SelectCombo(dialog, c.list, c.index);
      Click(dialog, c.button);
    });
    const std::vector<Bytes> sends = Sends();
    ASSERT_EQ(sends.size(), before + c.frames.size()) << c.button;
    for (size_t i = 0; i < c.frames.size(); ++i) EXPECT_EQ(sends[before + i], HexBytes(c.frames[i])) << c.button;
  }
}

TEST_F(AdvancedDialogTest, BarcodeSampleSendsTheChosenTypeAtTheChosenHeight) {
  Run([](HWND dialog) {
    SelectCombo(dialog, IDC_ADVANCED_BARCODE_TYPE, 8);
    SelectCombo(dialog, IDC_ADVANCED_BARCODE_HEIGHT, 79);
    Click(dialog, IDC_ADVANCED_BARCODE_PRINT);
  });
  EXPECT_EQ(Sends(), std::vector<Bytes>{BarcodeSampleCommands(8, 79)});
}

TEST_F(AdvancedDialogTest, SensitivityWithSensHSendsBothLevels) {
  Run([](HWND dialog) {
    SelectCombo(dialog, IDC_ADVANCED_SENSITIVITY, 2);
    SelectCombo(dialog, IDC_ADVANCED_SENSITIVITY_HIGH, 6);
    Click(dialog, IDC_ADVANCED_SENSITIVITY_HIGH_SWITCH);
    Click(dialog, IDC_ADVANCED_SENSITIVITY_SET);
  });
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1F 1B 1F 83 04 05 06 30 03"), HexBytes("1F 1B 1F 83 04 05 06 31 07")}));
}

TEST_F(AdvancedDialogTest, CodePageSampleGoesInFourSends) {
  Run([](HWND dialog) { Click(dialog, IDC_ADVANCED_CODEPAGE_TEST); });
  const std::vector<Bytes> sends = Sends();
  ASSERT_EQ(sends.size(), 4u);
  EXPECT_EQ(sends[0], HexBytes("1B 4D 01"));
  EXPECT_EQ(sends[1].size(), 152u);
  EXPECT_EQ(sends[1][9], 0x80);
  EXPECT_EQ(sends[2], HexBytes("1B 4D 00"));
  EXPECT_EQ(sends[3], sends[1]);
  EXPECT_EQ(Status().rfind("LPT1", 0), 0u) << Status();  // SendData's outcome reaches the status line
}

TEST_F(AdvancedDialogTest, OpeningSwitchesTheLanguageToEnglish) {
  app_.context.SetLanguage(Language::Chinese);
  Language whileOpen = Language::Chinese;
  Run([&](HWND) { whileOpen = app_.context.language(); });
  EXPECT_EQ(whileOpen, Language::English);
  EXPECT_EQ(app_.context.language(), Language::English);
}

TEST_F(AdvancedDialogTest, TechniciansGroupIsShownWithTheLookOfTheDialog) {
  Run([](HWND dialog) {
    for (int id :
         {IDC_ADVANCED_PRINT_H_LINE, IDC_ADVANCED_BUZZER_SET, IDC_ADVANCED_BUZZER, IDC_ADVANCED_SENSITIVITY_SET,
          IDC_ADVANCED_SENSITIVITY, IDC_ADVANCED_SENSITIVITY_HIGH, IDC_ADVANCED_SENSITIVITY_HIGH_SWITCH,
          IDC_ADVANCED_P76E_DIP, IDC_ADVANCED_P58_DIP, IDC_ADVANCED_NET_SETTINGS, IDC_ADVANCED_BLUETOOTH,
          IDC_ADVANCED_SAVE_PAPER, IDC_ADVANCED_BLACK_MARK_76, IDC_ADVANCED_NVLOGO, IDC_ADVANCED_RASTER,
          IDC_ADVANCED_FILE_SEND, IDC_ADVANCED_INPUT_CODEPAGE, IDC_ADVANCED_INPUT_CODEPAGE_SET}) {
      EXPECT_TRUE(Visible(dialog, id)) << id;
    }
    EXPECT_EQ(Text(dialog, IDC_ADVANCED_PRINT_H_LINE), "打印H行");
    EXPECT_EQ(Text(dialog, IDC_ADVANCED_GENERAL), "Configurar");
    // two row labels keep the non-breaking spaces of the template
    for (const wchar_t* label : {L"Definição\u00a0de\u00a0Interface", L"Largura\u00a0de\u00a0lmpressão"}) {
      EXPECT_NE(FindWindowExW(dialog, nullptr, L"Static", label), nullptr) << winui::Narrow(label);
    }
    EXPECT_EQ(StaticBackground(dialog, IDC_ADVANCED_SENSITIVITY_HIGH_SWITCH), RGB(239, 247, 255));
    for (int id : {IDC_ADVANCED_DENSITY_SET, IDC_ADVANCED_BACK, IDC_ADVANCED_FILE_SEND}) {
      EXPECT_TRUE(IsOwnerDrawn(dialog, id)) << id;
    }
  });
}

TEST_F(AdvancedDialogTest, HubButtonsOpenTheirDialogs) {
  const struct {
    int button;
    const char* caption;
  } cases[] = {
      {IDC_ADVANCED_GENERAL, "Configurações Gerais"}, {IDC_ADVANCED_BLACK_MARK, "BlaceMarkSet"},
      {IDC_ADVANCED_P76E_DIP, "P76E DIP Settings"},   {IDC_ADVANCED_P58_DIP, "P58 DIP Settings"},
      {IDC_ADVANCED_BLUETOOTH, "Bluetooth Settings"}, {IDC_ADVANCED_SAVE_PAPER, "Paper saving function setting"},
      {IDC_ADVANCED_BLACK_MARK_76, "BlaceMarkSet"},   {IDC_ADVANCED_LOGO, kCaption},
      {IDC_ADVANCED_QR, kCaption},                    {IDC_ADVANCED_NVLOGO, "New Nvlogo cmd(1d 28)"},
      {IDC_ADVANCED_RASTER, "1D 76 print"},           {IDC_ADVANCED_NET_SETTINGS, "Net Settings"}};
  for (const auto& c : cases) {
    bool opened = false;
    Run([&](HWND dialog) {
      WhenShown(c.caption, [&](HWND inner) {
        opened = GetWindow(inner, GW_OWNER) == dialog;
        Close(inner);
      });
      Click(dialog, c.button);
    });
    EXPECT_TRUE(opened) << c.caption;
  }
}

TEST_F(AdvancedDialogTest, BlackMarkButtonsPickTheMode) {
  // the cut position of 20 mm: 160 dots in the standard mode, 142 steps in the alternative one
  for (int button : {IDC_ADVANCED_BLACK_MARK, IDC_ADVANCED_BLACK_MARK_76}) {
    Run([&](HWND dialog) {
      WhenShown("BlaceMarkSet", [](HWND inner) {
        Click(inner, IDC_BLACKMARK_CUT_OFFSET_SET);
        Close(inner);
      });
      Click(dialog, button);
    });
  }
  EXPECT_EQ(Sends(),
            (std::vector<Bytes>{HexBytes("1D 28 46 04 00 02 00 A0 00 00"), HexBytes("1D 28 46 04 00 02 00 8E 00 00")}));
}

TEST_F(AdvancedDialogTest, FileSendSendsTheChosenFileAsItIs) {
  const std::string dir = testsupport::MakeTempDir();
  const std::string bytes("\x1b\x40\x00\xff\x0a", 5);
  testsupport::WriteFile(dir + "/logo.bin", bytes);
  app_.prompts.AnswerFile(winui::Narrow(testsupport::WindowsPath(dir + "/logo.bin")));
  app_.prompts.AnswerFile(std::nullopt);
  app_.prompts.AnswerFile("Z:\\no\\such.bin");
  Run([](HWND dialog) {
    for (int i = 0; i < 3; ++i) Click(dialog, IDC_ADVANCED_FILE_SEND);
  });
  EXPECT_EQ(Sends(), (std::vector<Bytes>{Bytes(bytes.begin(), bytes.end())}));
  EXPECT_EQ(Status(), "Cannot read the file Z:\\no\\such.bin");
  const auto records = app_.prompts.records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].kind, "open");
  EXPECT_EQ(records[0].text, "File send");
  ASSERT_EQ(records[0].options.filters.size(), 1u);
  EXPECT_EQ(records[0].options.filters[0], (std::pair<std::string, std::string>{"Bin Files(*.bin)", "*.bin"}));
}

TEST_F(AdvancedDialogTest, InputCodePageIsStoredOnlyWhenItIsANumberAndShowsNothing) {
  Run([](HWND dialog) {
    SetText(dialog, IDC_ADVANCED_INPUT_CODEPAGE, "x");
    Click(dialog, IDC_ADVANCED_INPUT_CODEPAGE_SET);
    SetText(dialog, IDC_ADVANCED_INPUT_CODEPAGE, "850");
    Click(dialog, IDC_ADVANCED_INPUT_CODEPAGE_SET);
  });
  EXPECT_TRUE(app_.prompts.records().empty());
  EXPECT_EQ(Stored("CodePage Select", "CodePage"), "850");
  EXPECT_EQ(app_.link.Settings().codePage, 850);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(ShownInStatusLine(), std::vector<std::string>{});
  EXPECT_TRUE(Sends().empty());
}

}  // namespace
