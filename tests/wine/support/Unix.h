// Wine tests reach the Linux side through these: Wine starts ELF programs
// through CreateProcess, and maps the Unix file system to drive Z:.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// "/tmp/x/y" -> L"Z:\\tmp\\x\\y"; paths are UTF-8, as Linux keeps them.
std::wstring WindowsPath(const std::string& unixPath);

// A fresh, empty Unix directory for one test (under /tmp).
std::string MakeTempDir();

// Starts `/bin/sh -c command` in the background with a Unix PATH. The process
// handle Wine returns cannot be waited on; synchronise through files.
bool StartShell(const std::string& command);

// Runs `/bin/sh -c command` and waits up to `timeoutMs` for it to end; returns
// its exit status, or -1 on time-out.
int RunShell(const std::string& command, int timeoutMs = 10000);

// Waits until `unixPath` exists (and is not empty when `nonEmpty`).
bool WaitForFile(const std::string& unixPath, int timeoutMs = 5000, bool nonEmpty = false);

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& unixPath);
bool WriteFile(const std::string& unixPath, const std::string& bytes);

// Copies a program of the Windows build (`relative` to KIT_WINDOWS_BUILD, e.g.
// "prtbench/prtbench.exe") into `dir` as `name` (default: its own name), so a
// test runs it beside files of its own; true when the copy is there.
bool CopyBuiltProgram(const std::string& relative, const std::string& dir, const std::string& name = "");

// An environment variable of the test run ("" when unset).
std::string Env(const char* name);

// Maps Wine's COM<number> to a fresh socat pty pair (tests/support/map-com) and
// returns the Unix path of the other end, where the bytes arrive; "" on failure.
// ctest runs test processes in parallel in one Wine prefix: every test uses a
// COM number of its own (the harness's own test uses 7).
std::string MapComPort(int number);
// Points Wine's COM<number> at `target`, a pty or a link to one (vprinter's
// --pty); true when the mapping is in place.
bool MapComTo(int number, const std::string& target);

// Single-quotes `text` for /bin/sh.
std::string ShellQuote(const std::string& text);

}  // namespace testsupport
