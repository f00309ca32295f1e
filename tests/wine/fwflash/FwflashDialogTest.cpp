// CLumaqFwflashDlg created in this process and driven with real messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>
#include <functional>
#include <future>

#include "PipeUsb.h"
#include "common/Pause.h"
#include "fwflash/res/resource.h"
#include "fwflash/win/FwflashDialog.h"
#include "support/DialogDriver.h"
#include "support/RecordingPrompts.h"
#include "support/Unix.h"
#include "tests/native/fwflash/FirmwareBuilder.h"
#include "winui/Utf.h"

namespace {

using testsupport::RecordingPrompts;

constexpr int kAllInputs[] = {IDC_FWFLASH_USB,   IDC_FWFLASH_NET,       IDC_FWFLASH_COM,       IDC_FWFLASH_BROWSE,
                              IDC_FWFLASH_START, IDC_FWFLASH_PORT_LIST, IDC_FWFLASH_BAUD_LIST, IDC_FWFLASH_ADDRESS};

using testsupport::PumpUntil;

// A drop of `paths`, built as the shell builds one.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t chars = paths.empty() ? 2 : 1;  // the list ends with an empty name
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& p : paths) {
    std::copy(p.begin(), p.end(), out);
    out += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class FwflashDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::MakeTempDir();
    ASSERT_NE(dialog_.Create(nullptr), nullptr);
    window_ = dialog_.hwnd();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }

  std::string WriteFirmware(const std::string& name, size_t payload, bool valid = true) {
    auto bytes = fwtest::MakeFirmware(fwtest::Counting(payload, 5), 0x21);
    if (!valid) bytes.back() ^= 1;
    const std::string path = dir_ + "/" + name;
    testsupport::WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
  }
  std::string WindowsPathOf(const std::string& unixPath) { return winui::Narrow(testsupport::WindowsPath(unixPath)); }
  void Click(int id) { testsupport::Click(window_, id); }
  void Drop(const std::vector<std::wstring>& paths) { SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0); }
  bool AllInputsEnabled(bool enabled) {
    for (int id : kAllInputs) {
      if (dialog_.IsEnabled(id) != enabled) return false;
    }
    return true;
  }
  int Progress() { return static_cast<int>(SendDlgItemMessageW(window_, IDC_FWFLASH_PROGRESS, PBM_GETPOS, 0, 0)); }
  bool WaitMessages(size_t count) { return PumpUntil([&] { return prompts_.messages().size() >= count; }); }

  std::string dir_;
  fwtest::PipeUsbDevices devices_;
  // what a reply poll's pause does; real sleeps unless a test says otherwise
  std::function<void(unsigned)> onPause_ = [](unsigned ms) { Sleep(ms); };
  kit::FunctionClock clock_{[this](unsigned ms) { onPause_(ms); }};
  fwflash::PortLayer ports_{devices_, clock_};
  RecordingPrompts prompts_;
  winui::Modeless<fwflash::CLumaqFwflashDlg> dialog_{ports_, prompts_, u"C:\\kit\\myTitle\\fwflash.exe"};
  HWND window_ = nullptr;
};

TEST_F(FwflashDialogTest, StartsWithTheTextsListsAndStatesOfTheLayout) {
  wchar_t caption[64];
  GetWindowTextW(window_, caption, 64);
  EXPECT_STREQ(caption, L"Atualização Firmware");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), "(Insira o Firmware Aqui)");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PORT_GROUP), "Seleção Porta");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_NET), "Ethernet");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_COM), "COM");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_USB), "USB");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_FILE_GROUP), "2. Select the firmware upgrade file");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_BROWSE), "Buscar Firmware");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_START), "lniciar Atualização");
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_START_GROUP), "3. Start the firmware upgrade");
  EXPECT_EQ(dialog_.RadioIndex(IDC_FWFLASH_USB), 0);
  EXPECT_EQ(SendDlgItemMessageW(window_, IDC_FWFLASH_PORT_LIST, CB_GETCOUNT, 0, 0), 20);
  EXPECT_EQ(dialog_.ComboText(IDC_FWFLASH_PORT_LIST), "COM1");
  dialog_.SetComboIndex(IDC_FWFLASH_PORT_LIST, 19);
  EXPECT_EQ(dialog_.ComboText(IDC_FWFLASH_PORT_LIST), "COM20");
  EXPECT_EQ(SendDlgItemMessageW(window_, IDC_FWFLASH_BAUD_LIST, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(dialog_.ComboText(IDC_FWFLASH_BAUD_LIST), "19200");
  EXPECT_EQ(dialog_.IpAddress(IDC_FWFLASH_ADDRESS), 0xC0A87B64u);
  for (int id : {IDC_FWFLASH_ADDRESS, IDC_FWFLASH_PORT_LIST, IDC_FWFLASH_BAUD_LIST, IDC_FWFLASH_START}) {
    EXPECT_FALSE(dialog_.IsEnabled(id)) << id;
  }
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_BROWSE));
  for (int id : {IDC_FWFLASH_NET, IDC_FWFLASH_ADDRESS, IDC_FWFLASH_FILE_GROUP, IDC_FWFLASH_START_GROUP}) {
    EXPECT_FALSE(GetWindowLongW(dialog_.Item(id), GWL_STYLE) & WS_VISIBLE) << id;
  }
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  PBRANGE range{};
  SendDlgItemMessageW(window_, IDC_FWFLASH_PROGRESS, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.iLow, 0);
  EXPECT_EQ(range.iHigh, 100);
  EXPECT_EQ(ports_.vendors().Slot(0), "vid_XXXX");  // plain program name
}

TEST_F(FwflashDialogTest, TransportRadiosEnableTheirOwnControls) {
  Click(IDC_FWFLASH_COM);
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_PORT_LIST));
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_BAUD_LIST));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_ADDRESS));
  SendMessageW(dialog_.Item(IDC_FWFLASH_NET), BM_CLICK, 0, 0);
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_PORT_LIST));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_BAUD_LIST));
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_ADDRESS));
  Click(IDC_FWFLASH_USB);
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_PORT_LIST));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_BAUD_LIST));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_ADDRESS));
}

TEST_F(FwflashDialogTest, BrowseTakesAValidFileAndEnablesStart) {
  const std::string path = WindowsPathOf(WriteFirmware("ok.fmw", 4084));
  prompts_.AnswerFile(path);
  Click(IDC_FWFLASH_BROWSE);
  const auto records = prompts_.records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, "open");
  EXPECT_EQ(records[0].text, "Open the FMW firmware upgrade file");
  EXPECT_EQ(records[0].options.filters, (std::vector<std::pair<std::string, std::string>>{{"fmwFile", "*.fmw"}}));
  EXPECT_TRUE(records[0].options.hideReadOnly);
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), path);
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_START));
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_BROWSE));
}

TEST_F(FwflashDialogTest, BrowseRefusesAnInvalidFileAndKeepsThePath) {
  prompts_.AnswerFile(WindowsPathOf(WriteFirmware("ok.fmw", 4084)));
  Click(IDC_FWFLASH_BROWSE);
  const std::string shown = dialog_.Text(IDC_FWFLASH_PATH);
  prompts_.AnswerFile(WindowsPathOf(WriteFirmware("bad.fmw", 4084, false)));
  Click(IDC_FWFLASH_BROWSE);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Please select a valid file"});
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), shown);
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_START));
}

TEST_F(FwflashDialogTest, CancelledBrowseEnablesStartWhichThenRefusesThePlaceholder) {
  prompts_.AnswerFile(std::nullopt);
  Click(IDC_FWFLASH_BROWSE);
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_START));
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), "(Insira o Firmware Aqui)");
  Click(IDC_FWFLASH_START);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Please select a valid file"});
  EXPECT_TRUE(AllInputsEnabled(true));  // a refused start enables all eight
  EXPECT_FALSE(dialog_.upgradeRunning());
}

TEST_F(FwflashDialogTest, DropOfMoreOrFewerThanOneFileIsRefused) {
  const std::wstring a = testsupport::WindowsPath(WriteFirmware("a.fmw", 4084));
  const std::wstring b = testsupport::WindowsPath(WriteFirmware("b.fmw", 4084));
  Drop({a, b});
  Drop({});
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Please select a single file", "Please select a single file"}));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_START));
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), "(Insira o Firmware Aqui)");
}

TEST_F(FwflashDialogTest, DropOfAMissingFileOrAFolderIsRefused) {
  Drop({testsupport::WindowsPath(dir_ + "/absent.fmw")});
  testsupport::RunShell("mkdir " + testsupport::ShellQuote(dir_ + "/folder.fmw"));
  Drop({testsupport::WindowsPath(dir_ + "/folder.fmw")});
  EXPECT_EQ(prompts_.messages(),
            (std::vector<std::string>{"Please select the correct file", "Please select the correct file"}));
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_START));
}

TEST_F(FwflashDialogTest, DropOfAnInvalidFileIsRefusedAndAValidOneTaken) {
  Drop({testsupport::WindowsPath(WriteFirmware("bad.fmw", 5000, false))});
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Please select a valid file"});
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_START));
  const std::wstring good = testsupport::WindowsPath(WriteFirmware("good.fmw", 5000));
  Drop({good});
  EXPECT_EQ(dialog_.WideText(IDC_FWFLASH_PATH), good);
  EXPECT_TRUE(dialog_.IsEnabled(IDC_FWFLASH_START));
  EXPECT_EQ(prompts_.messages().size(), 1u);
}

TEST_F(FwflashDialogTest, SizeCommandsAreIgnored) {
  RECT before, after;
  GetWindowRect(window_, &before);
  SendMessageW(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  GetWindowRect(window_, &after);
  EXPECT_FALSE(IsZoomed(window_));
  EXPECT_EQ(after.right - after.left, before.right - before.left);
}

// Upgrades over the USB stand-in.
class FwflashDialogUpgradeTest : public FwflashDialogTest {
 protected:
  void ChooseFile(size_t payload) { Drop({testsupport::WindowsPath(WriteFirmware("fw.fmw", payload))}); }
  std::wstring UsbPath() { return L"\\\\?\\usb#vid_0483&pid_0001#1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"; }
};

TEST_F(FwflashDialogUpgradeTest, SuccessfulUpgradeReports100AndSuccessAndEnablesEverything) {
  fwtest::PipePrinter printer;
  devices_.AddActive(UsbPath(), printer.name());
  ChooseFile(9000);
  std::string received;
  auto served = std::async(std::launch::async, [&] { return printer.Connect() && fwtest::ServeUpgrade(printer, &received); });
  Click(IDC_FWFLASH_START);
  EXPECT_TRUE(AllInputsEnabled(false));
  ASSERT_TRUE(WaitMessages(1));
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Sucesso na Atualização !"});
  EXPECT_TRUE(served.get());
  EXPECT_EQ(received.size(), 9004u);
  EXPECT_EQ(Progress(), 100);
  // all eight come back, the port and baud lists too although USB is chosen
  EXPECT_TRUE(AllInputsEnabled(true));
  EXPECT_EQ(dialog_.RadioIndex(IDC_FWFLASH_USB), 0);
}

TEST_F(FwflashDialogUpgradeTest, NoPrinterGivesMinusOneAndEnablesTheControls) {
  ChooseFile(4084);
  Click(IDC_FWFLASH_START);
  ASSERT_TRUE(WaitMessages(1));
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Falha na Atualização: -1!"});
  EXPECT_TRUE(AllInputsEnabled(true));
  EXPECT_FALSE(ports_.running());
}

TEST_F(FwflashDialogUpgradeTest, SilentPrinterGives01AndADropMeanwhileChangesNothing) {
  onPause_ = [](unsigned) { Sleep(1); };
  fwtest::PipePrinter printer;
  devices_.AddActive(UsbPath(), printer.name());
  ChooseFile(4084);
  const std::string shown = dialog_.Text(IDC_FWFLASH_PATH);
  Click(IDC_FWFLASH_START);
  ASSERT_TRUE(printer.Connect());
  EXPECT_EQ(printer.Read(12).size(), 12u);  // C1 arrived; the printer stays silent
  Drop({testsupport::WindowsPath(WriteFirmware("other.fmw", 4100))});
  EXPECT_FALSE(dialog_.IsEnabled(IDC_FWFLASH_START));
  EXPECT_EQ(dialog_.Text(IDC_FWFLASH_PATH), shown);
  ASSERT_TRUE(WaitMessages(1));
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Falha na Atualização: 01!"});
  EXPECT_EQ(Progress(), 5);
  EXPECT_TRUE(AllInputsEnabled(true));
}

TEST_F(FwflashDialogUpgradeTest, ClosingTheWindowDuringAnUpgradeIsSafe) {
  fwtest::PipePrinter printer;
  devices_.AddActive(UsbPath(), printer.name());
  ChooseFile(4084);
  Click(IDC_FWFLASH_START);
  ASSERT_TRUE(printer.Connect());
  EXPECT_EQ(printer.Read(12).size(), 12u);
  DestroyWindow(window_);
  ports_.ClearRunning();  // as the application does when its window has closed
  // the worker gives up (its replies stop with the flag) and posts to nobody
  ASSERT_TRUE(PumpUntil([&] { return devices_.opens().size() == 2 && !ports_.UsbLink(0).has_value(); }));
  testsupport::PumpFor(200);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(FwflashDialogUpgradeTest, EscAndTheCloseBoxAreRefusedWhileAnUpgradeRunsAndCloseAfterIt) {
  onPause_ = [](unsigned) { Sleep(1); };
  fwtest::PipePrinter printer;
  devices_.AddActive(UsbPath(), printer.name());
  ChooseFile(4084);
  Click(IDC_FWFLASH_START);
  ASSERT_TRUE(printer.Connect());
  EXPECT_EQ(printer.Read(12).size(), 12u);  // C1 is out; the printer stays silent
  const std::string refusal =
      "Atualização em andamento: aguarde o fim para fechar.\n"
      "An upgrade is running: wait for it to end before closing.";
  SendMessageW(window_, WM_CLOSE, 0, 0);
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // what Esc sends
  EXPECT_TRUE(IsWindow(window_));
  ASSERT_TRUE(WaitMessages(3));
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{refusal, refusal, "Falha na Atualização: 01!"}));
  SendMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(FwflashDialogTest, ProgramNameWithAVendorFillsSlot0) {
  winui::Modeless<fwflash::CLumaqFwflashDlg> named(ports_, prompts_, u"Z:\\tmp\\fwflash_vid_0519.exe");
  ASSERT_NE(named.Create(nullptr), nullptr);
  EXPECT_EQ(ports_.vendors().Slot(0), "vid_0519");
  DestroyWindow(named.hwnd());
}

}  // namespace
