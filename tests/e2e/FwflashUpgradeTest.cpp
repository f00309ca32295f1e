// fwflash.exe run by a user: choose COM and a port, drop a firmware file on
// the window, start, and read the outcome box, with vprinter on the pty.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "fwflash/res/resource.h"
#include "support/Driver.h"
#include "support/Unix.h"
#include "support/VPrinter.h"
#include "tests/native/fwflash/FirmwareBuilder.h"

using namespace testsupport;

namespace {

constexpr int kInputs[] = {IDC_FWFLASH_USB,   IDC_FWFLASH_NET,       IDC_FWFLASH_COM,       IDC_FWFLASH_BROWSE,
                           IDC_FWFLASH_START, IDC_FWFLASH_PORT_LIST, IDC_FWFLASH_BAUD_LIST, IDC_FWFLASH_ADDRESS};

// Drops `path` on `window` of process `pid` as the shell does: the drop's
// DROPFILES block must live in the receiving process, so it is written there.
bool DropFile(DWORD pid, HWND window, const std::wstring& path) {
  std::vector<BYTE> block(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t), 0);
  auto* drop = reinterpret_cast<DROPFILES*>(block.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(block.data() + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  CloseHandle(process);
  return written && PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

bool AllInputsEnabled(HWND window, bool enabled) {
  for (int id : kInputs) {
    if (e2e::IsControlEnabled(window, id) != enabled) return false;
  }
  return true;
}

class FwflashUpgrade : public testing::Test {
 protected:
  // vprinter in firmware mode on a pty that Wine sees as COM<port>.
  void StartPrinter(int port, const std::string& fault = "") {
    const std::string link = MakeTempDir() + "/pty";
    // a free TCP port: its default listener on 9100 would collide with parallel tests
    printer_ = std::make_unique<VPrinter>("--tcp 127.0.0.1:0 --pty " + ShellQuote(link) + " --firmware" +
                                          (fault.empty() ? "" : " --fault " + fault));
    ASSERT_TRUE(printer_->ready()) << printer_->Log();
    ASSERT_TRUE(MapComTo(port, link));
  }
  // Starts fwflash.exe with the token, picks COM<port> at 115200 and drops a
  // firmware file of `payload` bytes.
  void OpenWindowWithFile(int port, size_t payload = 70000) {
    const std::string dir = MakeTempDir();
    ASSERT_TRUE(CopyBuiltProgram("fwflash/fwflash.exe", dir));
    file_ = fwtest::MakeFirmware(fwtest::Counting(payload, 13), 0x7E);
    ASSERT_TRUE(WriteFile(dir + "/update.fmw", std::string(file_.begin(), file_.end())));
    program_ = std::make_unique<e2e::Program>(WindowsPath(dir + "/fwflash.exe"), L"MerrowByQuint", WindowsPath(dir));
    window_ = program_->WaitWindow(L"Atualização Firmware");
    ASSERT_NE(window_, nullptr);
    e2e::Click(window_, IDC_FWFLASH_COM);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsControlEnabled(window_, IDC_FWFLASH_PORT_LIST); }));
    e2e::SelectCombo(window_, IDC_FWFLASH_PORT_LIST, port - 1);
    e2e::SelectCombo(window_, IDC_FWFLASH_BAUD_LIST, 3);
    ASSERT_TRUE(DropFile(program_->pid(), window_, WindowsPath(dir + "/update.fmw")));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsControlEnabled(window_, IDC_FWFLASH_START); }));
  }
  // Starts the upgrade and returns the text of the outcome box, closing it.
  std::string RunToOutcome() {
    e2e::Click(window_, IDC_FWFLASH_START);
    return RunningOutcome();
  }
  // The text of the outcome box of the upgrade that runs, closing it.
  std::string RunningOutcome() {
    const auto box = e2e::WaitMessageBox(*program_, 30000);
    if (!box) return "no box";
    // the box comes first; the controls come back once it is closed
    EXPECT_FALSE(e2e::IsControlEnabled(window_, IDC_FWFLASH_START));
    EXPECT_TRUE(e2e::CloseMessageBox(box->box));
    EXPECT_TRUE(e2e::WaitUntil([&] { return AllInputsEnabled(window_, true); }));
    return box->text;
  }
  void TearDown() override {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (program_) {
      EXPECT_EQ(program_->WaitExit(10000), 0u);
    }
  }

  std::unique_ptr<VPrinter> printer_;
  std::unique_ptr<e2e::Program> program_;
  HWND window_ = nullptr;
  std::vector<uint8_t> file_;
};

TEST_F(FwflashUpgrade, OverComRunsToSuccessAndThePrinterHasTheExactImage) {
  StartPrinter(16);
  OpenWindowWithFile(16);
  EXPECT_EQ(RunToOutcome(), "Sucesso na Atualização !");
  EXPECT_EQ(ReadFile(printer_->dir() + "/firmware-1.fmw"), std::string(file_.begin(), file_.end()));
  EXPECT_EQ(SendDlgItemMessageW(window_, IDC_FWFLASH_PROGRESS, PBM_GETPOS, 0, 0), 100);
}

TEST_F(FwflashUpgrade, WrongChecksumEchoShowsItsCodeAndTheControlsComeBack) {
  StartPrinter(17, "end-echo");
  OpenWindowWithFile(17);
  EXPECT_EQ(RunToOutcome(), "Falha na Atualização: 23!");
}

TEST_F(FwflashUpgrade, WrongAnnounceEchoShowsItsCodeAndASecondUpgradeCanStart) {
  StartPrinter(18, "c1-echo");
  OpenWindowWithFile(18);
  EXPECT_EQ(RunToOutcome(), "Falha na Atualização: 02!");
  EXPECT_EQ(RunToOutcome(), "Falha na Atualização: 02!");
}

TEST_F(FwflashUpgrade, ClosingDuringAnUpgradeIsRefusedAndThePrinterStillGetsTheWholeImage) {
  StartPrinter(19);
  OpenWindowWithFile(19, 8 << 20);
  e2e::Click(window_, IDC_FWFLASH_START);
  // the data is on its way, and the printer holds it there while the window is closed
  ASSERT_TRUE(printer_->WaitJournal([&](const auto&) { return printer_->Bytes(1).size() >= 20000; }));
  ASSERT_TRUE(printer_->Freeze(true));
  PostMessageW(window_, WM_CLOSE, 0, 0);
  const auto refusal = e2e::WaitMessageBox(*program_);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text,
            "Atualização em andamento: aguarde o fim para fechar.\n"
            "An upgrade is running: wait for it to end before closing.");
  EXPECT_TRUE(e2e::CloseMessageBox(refusal->box));
  ASSERT_TRUE(printer_->Freeze(false));
  EXPECT_EQ(RunningOutcome(), "Sucesso na Atualização !");
  EXPECT_EQ(ReadFile(printer_->dir() + "/firmware-1.fmw"), std::string(file_.begin(), file_.end()));
  // once it has ended the window closes as before, and the program with it
}

}  // namespace
