// prtbench.exe under Wine, driven like a user through the configuration
// dialogs: the advanced settings opened from the main window and the black
// mark dialog from its menu send their exact frames to vprinter, and the
// outcomes reach the main window's status line.
#include <gtest/gtest.h>

#include <memory>

#include "support/Driver.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;

namespace {

constexpr wchar_t kCaption[] = L"Corvane Printer Tool";  // the main window's and the advanced settings'
constexpr int kAdvanced = 1030, kStatus = 1105, kPrint = 1031, kBlackMarkCommand = 32841, kChineseCommand = 32840;
constexpr int kDensityList = 1008, kDensitySet = 1016, kCodePageList = 1007, kCodePageSet = 1017, kBack = 1014;
constexpr int kBlackMarkOn = 1023;

// prtbench.exe in a directory of its own, pointed at a loopback printer over NET.
class Prtbench {
 public:
  explicit Prtbench(const std::string& ip) : dir_(MakeTempDir()) {
    CopyBuiltProgram("prtbench/prtbench.exe", dir_);
    WriteFile(dir_ + "/Printer.ini", "[Printer Address]\r\nIP=" + ip + "\r\n[Printer Set]\r\nPort Select=3\r\n");
    program_ = std::make_unique<e2e::Program>(WindowsPath(dir_ + "/prtbench.exe"), L"", WindowsPath(dir_));
    if (program_->started()) main_ = program_->WaitWindow(kCaption);
  }
  ~Prtbench() { Close(); }

  HWND main() const { return main_; }
  // A visible window of the program other than the main one, titled `caption`.
  HWND WaitDialog(const std::wstring& caption) const {
    HWND found = nullptr;
    e2e::WaitUntil([&] {
      for (HWND window : program_->VisibleWindows()) {
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        if (window != main_ && caption == text) found = window;
      }
      return found != nullptr;
    });
    return found;
  }
  bool WaitStatus(const std::string& prefix) const {
    return e2e::WaitUntil([&] { return Status().rfind(prefix, 0) == 0; });
  }
  std::string Status() const { return e2e::ControlText(main_, kStatus); }
  std::optional<DWORD> Close() {
    if (!program_ || !program_->Running()) return std::nullopt;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return program_->WaitExit(15000);
  }

 private:
  std::string dir_;
  std::unique_ptr<e2e::Program> program_;
  HWND main_ = nullptr;
};

bool Closed(const VPrinter& printer, int connections) {
  return printer.WaitJournal([&](const JournalEvents& j) { return VPrinter::Count(j, "close") >= connections; });
}

TEST(PrtbenchConfig, AdvancedSettingsSendDensityAndCodePage) {
  VPrinter printer("--tcp 127.0.0.51:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench("127.0.0.51");
  ASSERT_NE(bench.main(), nullptr);
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kChineseCommand, 0), 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(bench.main(), kPrint) == "打印"; }));
  e2e::Click(bench.main(), kAdvanced);
  const HWND advanced = bench.WaitDialog(kCaption);
  ASSERT_NE(advanced, nullptr);
  e2e::SelectCombo(advanced, kDensityList, 7);
  e2e::Click(advanced, kDensitySet);
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "open") >= 1; }));
  e2e::SelectCombo(advanced, kCodePageList, 28);
  e2e::Click(advanced, kCodePageSet);
  EXPECT_TRUE(Closed(printer, 1));
  // opening the advanced settings switched the program's messages to English
  EXPECT_TRUE(bench.WaitStatus("Network send data successfully")) << bench.Status();
  e2e::Click(advanced, kBack);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(advanced); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 2));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1f\x1b\x1f\x13\x14\x08\x00\x00\x00\x00", 10));
  EXPECT_EQ(printer.Bytes(2), std::string("\x1f\x1b\x1f\xff\xff\x0a\x00", 7));
}

TEST(PrtbenchConfig, BlackMarkFromTheMenuSwitchesDetectionOnAndSaysSo) {
  VPrinter printer("--tcp 127.0.0.52:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench("127.0.0.52");
  ASSERT_NE(bench.main(), nullptr);
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kBlackMarkCommand, 0), 0);
  const HWND blackMark = bench.WaitDialog(L"BlaceMarkSet");
  ASSERT_NE(blackMark, nullptr);
  e2e::Click(blackMark, kBlackMarkOn);
  EXPECT_TRUE(bench.WaitStatus("Open Black Mark successful!")) << bench.Status();
  PostMessageW(blackMark, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(blackMark); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 1));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1f\x1b\x1f\x80\x04\x05\x06\x44", 8));
}

}  // namespace
