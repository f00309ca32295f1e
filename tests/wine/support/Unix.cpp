// Reaching Linux from a Wine test: Z: paths, shell commands, files.
#include "support/Unix.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "winui/Utf.h"

namespace testsupport {

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:" + winui::Widen(unixPath);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::string MakeTempDir() {
  static std::atomic<int> counter{0};
  for (;;) {
    const std::string dir = "/tmp/kit-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
    if (CreateDirectoryW(WindowsPath(dir).c_str(), nullptr)) return dir;
  }
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

namespace {

// Quotes one argument so that the Windows command-line rules (which Wine
// applies to build the Unix argv) give it back unchanged.
std::wstring QuoteArgument(const std::string& argument) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    const size_t n = c == '"' ? backslashes * 2 + 1 : backslashes;
    quoted.append(n, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return winui::Widen(quoted + "\"");
}

}  // namespace

bool StartShell(const std::string& command) {
  std::wstring commandLine =
      L"/bin/sh -c " + QuoteArgument("export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin; " + command);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

int RunShell(const std::string& command, int timeoutMs) {
  const std::string dir = MakeTempDir();
  const std::string status = dir + "/status";
  if (!StartShell("(" + command + "); echo $? > " + ShellQuote(status) + ".tmp; mv " + ShellQuote(status) +
                  ".tmp " + ShellQuote(status))) {
    return -1;
  }
  if (!WaitForFile(status, timeoutMs, true)) return -1;
  return std::stoi(ReadFile(status));
}

bool WaitForFile(const std::string& unixPath, int timeoutMs, bool nonEmpty) {
  const std::wstring path = WindowsPath(unixPath);
  for (int waited = 0;; waited += 10) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
        (!nonEmpty || data.nFileSizeLow > 0 || data.nFileSizeHigh > 0)) {
      return true;
    }
    if (waited >= timeoutMs) return false;
    Sleep(10);
  }
}

std::string ReadFile(const std::string& unixPath) {
  std::ifstream in(std::filesystem::path(WindowsPath(unixPath)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteFile(const std::string& unixPath, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(WindowsPath(unixPath)), std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

std::string MapComPort(int number) {
  const std::string dir = MakeTempDir();
  const std::string script = Env("KIT_SOURCE_DIR") + "/tests/support/map-com";
  if (RunShell(ShellQuote(script) + " COM" + std::to_string(number) + " " + ShellQuote(dir)) != 0) return {};
  std::string peer = ReadFile(dir + "/peer.path");
  while (!peer.empty() && (peer.back() == '\n' || peer.back() == '\r')) peer.pop_back();
  return peer;
}

bool MapComTo(int number, const std::string& target) {
  return RunShell("ln -sfn " + ShellQuote(target) + " " +
                  ShellQuote(Env("KIT_WINEPREFIX") + "/dosdevices/com" + std::to_string(number))) == 0;
}

bool CopyBuiltProgram(const std::string& relative, const std::string& dir, const std::string& name) {
  const std::string target = dir + "/" + (name.empty() ? relative.substr(relative.rfind('/') + 1) : name);
  return RunShell("cp " + ShellQuote(Env("KIT_WINDOWS_BUILD") + "/" + relative) + " " + ShellQuote(target)) == 0;
}

std::string Env(const char* name) {
  char buffer[4096];
  const DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return {};
  return std::string(buffer, n);
}

}  // namespace testsupport
