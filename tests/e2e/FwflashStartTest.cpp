// fwflash.exe as prtbench starts it: only the launch token opens the window.
#include <gtest/gtest.h>

#include "fwflash/res/resource.h"
#include "support/Driver.h"
#include "support/Unix.h"

using namespace testsupport;

namespace {

const std::wstring kCaption = L"Atualização Firmware";

// A copy of fwflash.exe in a fresh folder; returns its Windows path.
std::wstring CopyProgram(const std::string& name = "fwflash.exe") {
  const std::string dir = MakeTempDir();
  EXPECT_TRUE(CopyBuiltProgram("fwflash/fwflash.exe", dir, name));
  return WindowsPath(dir + "/" + name);
}

// Starts the program with `arguments` and expects it to end by itself
// without a visible window.
void ExpectSilentEnd(const std::wstring& arguments) {
  const std::wstring exe = CopyProgram();
  e2e::Program program(exe, arguments, L"");
  ASSERT_TRUE(program.started());
  const std::optional<DWORD> code = program.WaitExit(15000);
  ASSERT_TRUE(code.has_value()) << "still running with arguments: " << e2e::Narrow(arguments);
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(program.VisibleWindows().empty());
}

TEST(FwflashStart, WithoutArgumentsEndsSilently) { ExpectSilentEnd(L""); }

TEST(FwflashStart, WithTwoArgumentsEndsSilently) { ExpectSilentEnd(L"MerrowByQuint MerrowByQuint"); }

TEST(FwflashStart, WithTheTokenInOtherLetterCaseEndsSilently) {
  ExpectSilentEnd(L"merrowbyquint");
  ExpectSilentEnd(L"MERROWBYQUINT");
}

TEST(FwflashStart, WithTheTokenShowsTheUpdaterWindow) {
  e2e::Program program(CopyProgram(), L"MerrowByQuint", L"");
  ASSERT_TRUE(program.started());
  HWND window = program.WaitWindow(kCaption);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(e2e::ControlText(window, IDC_FWFLASH_PATH), "(Insira o Firmware Aqui)");
  EXPECT_EQ(e2e::ControlText(window, IDC_FWFLASH_START), "lniciar Atualização");
  EXPECT_EQ(e2e::ControlText(window, IDC_FWFLASH_BROWSE), "Buscar Firmware");
  EXPECT_EQ(e2e::ControlText(window, IDC_FWFLASH_PORT_GROUP), "Seleção Porta");
  EXPECT_TRUE(e2e::IsChecked(window, IDC_FWFLASH_USB));
  EXPECT_FALSE(e2e::IsControlEnabled(window, IDC_FWFLASH_START));
  EXPECT_FALSE(e2e::IsControlEnabled(window, IDC_FWFLASH_PORT_LIST));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_FWFLASH_NET)));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(10000), 0u);
}

}  // namespace
