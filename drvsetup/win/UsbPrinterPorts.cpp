// USB printer port discovery through SetupAPI and the interfaces' registry
// keys, and raw prints on threads of their own.
#include "drvsetup/win/UsbPrinterPorts.h"

#include <cstring>
#include <utility>
#include <thread>

#include "common/win/UsbPrinters.h"
#include "drvsetup/Texts.h"
#include "drvsetup/UsbPorts.h"
#include "winui/Utf.h"

namespace drvsetup {
namespace {

constexpr size_t kInterfaceLimit = 255;  // member indexes 0 to 254
constexpr DWORD kValueBufferSize = 261;
// the caller lets each print thread start before the next
constexpr unsigned kBetweenPrints = 10;

std::optional<unsigned> PortNumberIfAccepted(const std::wstring& path, bool modernWindows) {
  if (!IsAcceptedVendor(winui::Narrow(path))) return std::nullopt;
  if (!modernWindows) {
    const auto linked = ReadUsbPrinterValue(path, "Control", L"Linked");
    if (!linked || linked->empty()) {
      OutputDebugStringA("read regkey failed");
      return std::nullopt;
    }
    if ((*linked)[0] == 0) {
      OutputDebugStringA("print is off-line");
      return std::nullopt;
    }
  }
  const auto port = ReadUsbPrinterValue(path, "Device Parameters", L"Port Number");
  if (!port || port->size() < sizeof(DWORD)) {
    OutputDebugStringA("read regkey failed");
    return std::nullopt;
  }
  DWORD number = 0;
  memcpy(&number, port->data(), sizeof number);
  return number;
}

// One write of all of `bytes`, cancelled when it moves nothing for `stalledMs`.
bool WriteWithin(HANDLE device, const std::string& bytes, DWORD stalledMs) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!overlapped.hEvent) return false;
  if (!WriteFile(device, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped) &&
      GetLastError() == ERROR_IO_PENDING && WaitForSingleObject(overlapped.hEvent, stalledMs) != WAIT_OBJECT_0) {
    CancelIo(device);
  }
  DWORD written = 0;
  const bool whole = GetOverlappedResult(device, &overlapped, &written, TRUE) && written == bytes.size();
  CloseHandle(overlapped.hEvent);
  return whole;
}

bool RawPrint(const std::wstring& path, const std::string& bytes, DWORD stalledMs) {
  HANDLE device = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (device == INVALID_HANDLE_VALUE) {
    OutputDebugStringA("open usb device failed !");
    return false;
  }
  const bool whole = WriteWithin(device, bytes, stalledMs);
  OutputDebugStringA(whole ? "print scuessful !" : "print failed !");
  CloseHandle(device);
  return whole;
}

}  // namespace

SystemUsbPrinters::SystemUsbPrinters(const GUID& interfaceClass, DWORD stalledWriteMs)
    : interfaceClass_(interfaceClass), stalledWriteMs_(stalledWriteMs) {}
SystemUsbPrinters::SystemUsbPrinters() : SystemUsbPrinters(kit::kUsbPrinterInterfaceClass) {}
SystemUsbPrinters::~SystemUsbPrinters() { FinishRawPrints(); }

AcceptedPrinters SystemUsbPrinters::List(bool modernWindows) {
  const auto interfaces = kit::ListDeviceInterfaces(interfaceClass_, kInterfaceLimit);
  if (!interfaces) return {{}, false};
  AcceptedPrinters accepted;
  for (const auto& device : *interfaces) {
    if (device.flags != kit::kActiveUsbInterface) continue;
    if (!device.path) {
      accepted.complete = false;
      break;
    }
    if (const auto n = PortNumberIfAccepted(*device.path, modernWindows)) accepted.printers.push_back({*device.path, *n});
  }
  return accepted;
}

void SystemUsbPrinters::StartRawPrint(const std::wstring& path, const std::string& bytes) {
  std::lock_guard lock(mutex_);
  prints_.emplace_back([this, path, bytes] {
    const bool whole = RawPrint(path, bytes, stalledWriteMs_);
    std::lock_guard done(mutex_);
    allWritten_ = allWritten_ && whole;
  });
}

bool SystemUsbPrinters::FinishRawPrints() {
  std::vector<std::thread> started;
  {
    std::lock_guard lock(mutex_);
    started.swap(prints_);
  }
  for (std::thread& print : started) print.join();
  std::lock_guard lock(mutex_);
  return std::exchange(allWritten_, true);
}

std::optional<std::vector<BYTE>> ReadUsbPrinterValue(const std::wstring& devicePath, const char* subkey,
                                                     const wchar_t* valueName) {
  const std::wstring key = winui::Widen(InterfaceKey(winui::Narrow(devicePath), subkey));
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> value(kValueBufferSize);
  DWORD size = kValueBufferSize;
  const LONG result = RegQueryValueExW(handle, valueName, nullptr, nullptr, value.data(), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) return std::nullopt;
  value.resize(size);
  return value;
}

std::optional<std::string> FindUsbPrinterPort(UsbPrinterAccess& usb, bool modernWindows) {
  const AcceptedPrinters accepted = usb.List(modernWindows);
  if (accepted.printers.empty()) return std::nullopt;
  return UsbPortName(accepted.printers.front().portNumber);
}

void PrintInstallTestPage(UsbPrinterAccess& usb, bool modernWindows, kit::Clock& clock) {
  for (const auto& printer : usb.List(modernWindows).printers) {
    usb.StartRawPrint(printer.path, InstallTestPage());
    clock.Pause(kBetweenPrints);
  }
}

std::optional<std::string> CheckUsbPorts(UsbPrinterAccess& usb, bool modernWindows, kit::Clock& clock) {
  const AcceptedPrinters accepted = usb.List(modernWindows);
  std::string report(kPortReportHeading);
  for (const auto& printer : accepted.printers) {
    report += PortReportLine(printer.portNumber);
    usb.StartRawPrint(printer.path, CheckPage(printer.portNumber));
    clock.Pause(kBetweenPrints);
  }
  if (!accepted.complete) return std::nullopt;
  if (accepted.printers.empty()) return std::string(kNoUsbPrinter);
  return report;
}

}  // namespace drvsetup
