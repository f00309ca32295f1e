// The dialog framework: dispatch, the modal loop and the typed control helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "TestDialogs.h"
#include "support/DialogDriver.h"
#include "winui/Dialog.h"
#include "winui/Utf.h"

namespace {

class ControlsDialog : public winui::Dialog {
 public:
  ControlsDialog() : Dialog(IDD_TEST_CONTROLS) {}
  std::vector<std::pair<int, int>> commands;
  std::vector<UINT_PTR> timers;
  bool destroyed = false;
  bool okPressed = false;

 protected:
  bool OnInit() override {
    for (const char* item : {"COM1", "COM2", "COM10", "LPT1"}) ComboAdd(IDC_TEST_COMBO, item);
    return true;
  }
  void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
  void OnOk() override {
    okPressed = true;
    EndDialog(7);
  }
  void OnTimer(UINT_PTR id) override { timers.push_back(id); }
  void OnDestroy() override { destroyed = true; }
};

class DialogTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(dialog_.Create(nullptr), nullptr); }
  winui::Modeless<ControlsDialog> dialog_;
};

TEST_F(DialogTest, TextRoundTripsUtf8ThroughUtf16) {
  const std::string text = "打印机IP: Atualização ！";
  dialog_.SetText(IDC_TEST_EDIT, text);
  EXPECT_EQ(dialog_.Text(IDC_TEST_EDIT), text);
  EXPECT_EQ(dialog_.WideText(IDC_TEST_EDIT), L"打印机IP: Atualização ！");
}

TEST_F(DialogTest, HelpersReachAControlMadeInPlaceOfOneDestroyed) {
  HWND old = dialog_.Item(IDC_TEST_EDIT);
  DestroyWindow(old);
  HWND made = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 12, dialog_.hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEST_EDIT)), nullptr, nullptr);
  ASSERT_NE(made, nullptr);
  dialog_.SetText(IDC_TEST_EDIT, "new");
  EXPECT_EQ(dialog_.Item(IDC_TEST_EDIT), made);
  EXPECT_EQ(dialog_.Text(IDC_TEST_EDIT), "new");
}

TEST_F(DialogTest, IntReadsNumbersAndRefusesOtherText) {
  dialog_.SetInt(IDC_TEST_EDIT, -42);
  EXPECT_EQ(dialog_.Int(IDC_TEST_EDIT), -42);
  dialog_.SetText(IDC_TEST_EDIT, "12a");
  EXPECT_EQ(dialog_.Int(IDC_TEST_EDIT), std::nullopt);
}

TEST_F(DialogTest, RadioGroupEndsAtTheNextGroup) {
  EXPECT_EQ(dialog_.RadioIndex(IDC_TEST_RADIO_A), -1);
  dialog_.SetRadioIndex(IDC_TEST_RADIO_A, 2);
  EXPECT_EQ(dialog_.RadioIndex(IDC_TEST_RADIO_A), 2);
  EXPECT_TRUE(dialog_.Checked(IDC_TEST_RADIO_C));
  dialog_.SetRadioIndex(IDC_TEST_RADIO_A, 0);
  EXPECT_FALSE(dialog_.Checked(IDC_TEST_RADIO_C));
  // index 3 would be the radio of the next group: nothing in this group is checked
  dialog_.SetRadioIndex(IDC_TEST_RADIO_A, 3);
  EXPECT_FALSE(dialog_.Checked(IDC_TEST_RADIO_OTHER));
  EXPECT_EQ(dialog_.RadioIndex(IDC_TEST_RADIO_A), -1);
}

TEST_F(DialogTest, ComboSelectsByCaseInsensitivePrefixAndKeepsSelectionOnMiss) {
  EXPECT_EQ(dialog_.ComboIndex(IDC_TEST_COMBO), -1);
  EXPECT_EQ(dialog_.ComboText(IDC_TEST_COMBO), "");
  EXPECT_EQ(dialog_.ComboSelectPrefix(IDC_TEST_COMBO, "lpt"), 3);
  EXPECT_EQ(dialog_.ComboText(IDC_TEST_COMBO), "LPT1");
  EXPECT_EQ(dialog_.ComboSelectPrefix(IDC_TEST_COMBO, "COM3"), -1);
  EXPECT_EQ(dialog_.ComboText(IDC_TEST_COMBO), "LPT1");
  // "COM1" is a prefix of "COM10" too: the first entry wins
  EXPECT_EQ(dialog_.ComboSelectPrefix(IDC_TEST_COMBO, "COM1"), 0);
  dialog_.SetComboIndex(IDC_TEST_COMBO, 2);
  EXPECT_EQ(dialog_.ComboText(IDC_TEST_COMBO), "COM10");
  dialog_.ComboReset(IDC_TEST_COMBO);
  EXPECT_EQ(dialog_.ComboIndex(IDC_TEST_COMBO), -1);
}

TEST_F(DialogTest, Ipv4BoxHoldsTheFirstOctetInTheHighByte) {
  dialog_.SetIpAddress(IDC_TEST_ADDRESS, 0xC0A87B64);
  EXPECT_EQ(dialog_.IpAddress(IDC_TEST_ADDRESS), 0xC0A87B64u);
  wchar_t text[32];
  GetWindowTextW(dialog_.Item(IDC_TEST_ADDRESS), text, 32);
  EXPECT_STREQ(text, L"192.168.123.100");
}

TEST_F(DialogTest, EnableAndShow) {
  dialog_.Enable(IDC_TEST_EDIT, false);
  EXPECT_FALSE(dialog_.IsEnabled(IDC_TEST_EDIT));
  dialog_.Enable(IDC_TEST_EDIT, true);
  EXPECT_TRUE(dialog_.IsEnabled(IDC_TEST_EDIT));
  dialog_.Show(IDC_TEST_EDIT, false);
  EXPECT_FALSE(GetWindowLongW(dialog_.Item(IDC_TEST_EDIT), GWL_STYLE) & WS_VISIBLE);
  dialog_.MoveControl(IDC_TEST_EDIT, 3, 4, 50, 20);
  RECT r;
  GetWindowRect(dialog_.Item(IDC_TEST_EDIT), &r);
  EXPECT_EQ(r.right - r.left, 50);
}

TEST_F(DialogTest, CommandsReachHandlersWithIdAndCode) {
  SendMessageW(dialog_.Item(IDC_TEST_CHECK), BM_CLICK, 0, 0);
  ASSERT_FALSE(dialog_.commands.empty());
  EXPECT_EQ(dialog_.commands.back(), std::make_pair(IDC_TEST_CHECK, static_cast<int>(BN_CLICKED)));
  EXPECT_TRUE(dialog_.Checked(IDC_TEST_CHECK));
  SendMessageW(dialog_.hwnd(), WM_TIMER, 5, 0);
  EXPECT_EQ(dialog_.timers, std::vector<UINT_PTR>{5});
}

TEST(DialogModal, OkEndsTheModalLoopWithItsResultAndDestroysTheWindow) {
  ControlsDialog dialog;
  testsupport::WhenModal([](HWND modal) { testsupport::Click(modal, IDOK); });
  EXPECT_EQ(dialog.DoModal(nullptr), 7);
  EXPECT_TRUE(dialog.okPressed);
  EXPECT_TRUE(dialog.destroyed);
  EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(DialogModal, ModalDisablesItsOwnerAndGivesItBack) {
  winui::Modeless<ControlsDialog> owner;
  ASSERT_NE(owner.Create(nullptr), nullptr);
  bool enabledDuringModal = true;
  testsupport::WhenModal([&](HWND modal) {
    enabledDuringModal = IsWindowEnabled(owner.hwnd());
    PostMessageW(modal, WM_CLOSE, 0, 0);
  });
  ControlsDialog modal;
  EXPECT_EQ(modal.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_FALSE(enabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST(Utf, ConvertsBothWaysAndEmpty) {
  EXPECT_EQ(winui::Widen("é中"), L"é中");
  EXPECT_EQ(winui::Narrow(L"é中"), "é中");
  EXPECT_EQ(winui::Widen(""), L"");
}

}  // namespace
