// Named-pipe USB stand-ins and the small printer that serves them.
#include "PipeUsb.h"

#include <atomic>

namespace fwtest {
namespace {

HANDLE MakePipe(const std::wstring& name) {
  return CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
                          1 << 16, 1 << 16, 0, nullptr);
}

bool ConnectPipe(HANDLE pipe) { return ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED; }

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

}  // namespace

PipePrinter::PipePrinter() {
  static std::atomic<int> counter{0};
  name_ = L"\\\\.\\pipe\\fwtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
  fromUpdater_ = MakePipe(name_ + L"-write");
  toUpdater_ = MakePipe(name_ + L"-read");
}

PipePrinter::~PipePrinter() {
  CloseHandle(fromUpdater_);
  CloseHandle(toUpdater_);
}

bool PipePrinter::Connect() { return ConnectPipe(fromUpdater_) && ConnectPipe(toUpdater_); }

std::string PipePrinter::Read(size_t count) {
  std::string bytes(count, '\0');
  size_t got = 0;
  while (got < count) {
    DWORD n = 0;
    if (!ReadFile(fromUpdater_, bytes.data() + got, static_cast<DWORD>(count - got), &n, nullptr) || n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

bool PipePrinter::Write(const std::string& bytes) {
  DWORD n = 0;
  return WriteFile(toUpdater_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
}

bool PipePrinter::WriterClosed() {
  DWORD waiting = 0;
  return !PeekNamedPipe(fromUpdater_, nullptr, 0, nullptr, &waiting, nullptr) && GetLastError() == ERROR_BROKEN_PIPE;
}

bool ServeUpgrade(PipePrinter& printer, std::string* payload) {
  const std::string announce = printer.Read(12);
  if (announce.size() != 12 || !printer.Write(announce.substr(8))) return false;
  const std::string length = printer.Read(12);
  if (length.size() != 12 || !printer.Write(length.substr(8))) return false;
  if (printer.Read(8).size() != 8) return false;
  const size_t n = Le32(length, 8);
  const std::string data = printer.Read(n + 4);
  if (data.size() != n + 4) return false;
  if (payload) *payload = data;
  return printer.Write(data.substr(n));
}

}  // namespace fwtest
