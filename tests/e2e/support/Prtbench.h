// One run of prtbench.exe from a fresh copy of the package, for the
// whole-program tests: its Printer.ini laid out first, then the program
// started from another current folder, its windows found and read, and
// closed as a user closes it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "support/Driver.h"
#include "support/Package.h"
#include "support/Unix.h"

namespace e2e {

constexpr wchar_t kPrtbenchCaption[] = L"Corvane Printer Tool";  // the main window's and several dialogs'
constexpr int kMainStatus = 1105;

// Printer.ini that points prtbench at a printer over NET.
inline std::string NetIni(const std::string& ip) {
  return "[Printer Address]\r\nIP=" + ip + "\r\n[Printer Set]\r\nPort Select=3\r\n";
}

class Prtbench {
 public:
  // The package unpacked (UnpackKit) and, unless `ini` is empty, Printer.ini in it.
  explicit Prtbench(const std::string& ini) : Prtbench(UnpackKit(), ini) {}
  // prtbench.exe of the folder `dir` (a Unix path), as installed there.
  Prtbench(std::string dir, const std::string& ini) : dir_(std::move(dir)) {
    if (!ini.empty()) testsupport::WriteFile(dir_ + "/Printer.ini", ini);
  }
  ~Prtbench() { Close(); }
  Prtbench(const Prtbench&) = delete;
  Prtbench& operator=(const Prtbench&) = delete;

  // Removes a file of the folder (`relative` to it); true when it is gone.
  bool Remove(const std::string& relative) {
    return testsupport::RunShell("rm " + testsupport::ShellQuote(dir_ + "/" + relative)) == 0;
  }
  // Starts the program with another current folder, as a shortcut whose
  // "Start in" is elsewhere would; true once its main window shows.
  bool Start() {
    program_ = std::make_unique<Program>(testsupport::WindowsPath(dir_ + "/prtbench.exe"), L"",
                                         testsupport::WindowsPath(elsewhere_));
    if (program_->started()) main_ = program_->WaitWindow(kPrtbenchCaption);
    return main_ != nullptr;
  }

  HWND main() const { return main_; }
  Program& program() { return *program_; }
  const std::string& dir() const { return dir_; }

  std::string Status() const { return ControlText(main_, kMainStatus); }
  bool WaitStatus(const std::string& text) const {
    return WaitUntil([&] { return Status() == text; });
  }
  bool WaitStatusPrefix(const std::string& prefix) const {
    return WaitUntil([&] { return Status().rfind(prefix, 0) == 0; });
  }
  // A visible window of the program other than the main one, titled
  // `caption` and, when `control` is not 0, holding that control.
  HWND WaitDialog(const std::wstring& caption, int control = 0) const {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND window : program_->VisibleWindows()) {
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        if (window != main_ && caption == text && (!control || GetDlgItem(window, control))) found = window;
      }
      return found != nullptr;
    });
    return found;
  }
  // Waits for a message box, reads it and presses OK.
  std::string TakeMessageBox() {
    const auto box = WaitMessageBox(*program_);
    if (!box) return "(no message box)";
    CloseMessageBox(box->box);
    return box->text;
  }
  // Closes the main window as a user would; the exit code, nullopt when the
  // program does not run or does not end in time.
  std::optional<DWORD> Close() {
    if (!program_ || !program_->Running()) return std::nullopt;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return program_->WaitExit(20000);
  }
  // Printer.ini as text (the profile functions may write it in UTF-16).
  std::string Ini() const {
    const std::string raw = testsupport::ReadFile(dir_ + "/Printer.ini");
    if (raw.size() < 2 || raw[0] != '\xFF' || raw[1] != '\xFE') return raw;
    std::string text;
    for (size_t i = 2; i < raw.size(); i += 2) text += raw[i];
    return text;
  }

 private:
  std::string dir_;
  std::string elsewhere_ = testsupport::MakeTempDir();
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

}  // namespace e2e
