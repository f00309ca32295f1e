// Serial, parallel and USB printer handles on Win32.
#include "prtbench/link/win/SystemDevices.h"

#include <windows.h>

#include <limits>

#include "prtbench/link/win/Dcb.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

HANDLE ToHandle(DeviceHandle device) { return reinterpret_cast<HANDLE>(device); }
DeviceHandle FromHandle(HANDLE handle) { return reinterpret_cast<DeviceHandle>(handle); }

DeviceHandle Open(const std::string& path, DWORD access) {
  const HANDLE handle =
      CreateFileW(winui::Widen(path).c_str(), access, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kNoDevice : FromHandle(handle);
}

}  // namespace

DeviceHandle SystemLinkDevices::OpenDevice(const std::string& path) {
  return Open(path, GENERIC_READ | GENERIC_WRITE);
}

DeviceHandle SystemLinkDevices::OpenForWrite(const std::string& path) { return Open(path, GENERIC_WRITE); }

bool SystemLinkDevices::SetTimeouts(DeviceHandle device, const CommTimeouts& timeouts) {
  COMMTIMEOUTS values = MakeCommTimeouts(timeouts);
  return SetCommTimeouts(ToHandle(device), &values) != FALSE;
}

bool SystemLinkDevices::SetLine(DeviceHandle device, const LineSettings& line) {
  DCB dcb = MakeDcb(line);
  return SetCommState(ToHandle(device), &dcb) != FALSE;
}

bool SystemLinkDevices::ChangeLine(DeviceHandle device, const LineChange& change) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(ToHandle(device), &dcb)) return false;
  ApplyLineChange(change, dcb);
  return SetCommState(ToHandle(device), &dcb) != FALSE;
}

bool SystemLinkDevices::Purge(DeviceHandle device) {
  return PurgeComm(ToHandle(device), PURGE_TXCLEAR | PURGE_RXCLEAR) != FALSE;
}

void SystemLinkDevices::AbortWrites(DeviceHandle device) {
  PurgeComm(ToHandle(device), PURGE_TXABORT | PURGE_TXCLEAR);
}

std::optional<std::uint32_t> SystemLinkDevices::Write(DeviceHandle device, std::span<const std::uint8_t> bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return std::nullopt;
  DWORD written = 0;
  if (!WriteFile(ToHandle(device), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    return std::nullopt;
  }
  return written;
}

void SystemLinkDevices::Close(DeviceHandle device) { CloseHandle(ToHandle(device)); }

}  // namespace prtbench
