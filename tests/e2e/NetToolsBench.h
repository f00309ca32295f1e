// One run of prtbench.exe, with the lamp pictures beside it, for the network
// tools' whole-program tests; and the few cross-process reads they need.
#pragma once

#include <memory>
#include <string>

#include "support/Driver.h"
#include "support/Unix.h"

namespace e2e {

constexpr int kMainStatus = 1105;
constexpr int kMainAutoIp = 1022;
constexpr int kMainNetMonitor = 1067;

class NetToolsBench {
 public:
  // Starts prtbench in a directory of its own with `ini` as its Printer.ini.
  explicit NetToolsBench(const std::string& ini) : dir_(testsupport::MakeTempDir()) {
    testsupport::CopyBuiltProgram("prtbench/prtbench.exe", dir_);
    testsupport::RunShell("cp -r " +
                          testsupport::ShellQuote(testsupport::Env("KIT_WINDOWS_BUILD") + "/prtbench/Bmp_Led") + " " +
                          testsupport::ShellQuote(dir_));
    testsupport::WriteFile(dir_ + "/Printer.ini", ini);
    program_ = std::make_unique<Program>(testsupport::WindowsPath(dir_ + "/prtbench.exe"), L"",
                                         testsupport::WindowsPath(dir_));
    if (program_->started()) main_ = program_->WaitWindow(L"Corvane Printer Tool");
  }
  ~NetToolsBench() { Close(); }

  HWND main() const { return main_; }
  Program& program() { return *program_; }
  std::string Status() const { return ControlText(main_, kMainStatus); }
  // Closes the main window as a user would; the exit code, nullopt on time-out.
  std::optional<DWORD> Close() {
    if (!program_ || !program_->Running()) return std::nullopt;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return program_->WaitExit(20000);
  }

 private:
  std::string dir_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

// Printer.ini that points prtbench at a printer over NET.
inline std::string NetIni(const std::string& ip) {
  return "[Printer Address]\r\nIP=" + ip + "\r\n[Printer Set]\r\nPort Select=3\r\n";
}

}  // namespace e2e
