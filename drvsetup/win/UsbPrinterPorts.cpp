// USB printer port discovery through SetupAPI and the interfaces' registry
// keys, and raw prints on threads of their own.
#include "drvsetup/win/UsbPrinterPorts.h"

#include <cstring>
#include <thread>

#include "common/Pause.h"
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

void RawPrint(const std::wstring& path, const std::string& bytes) {
  HANDLE device = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (device == INVALID_HANDLE_VALUE) {
    OutputDebugStringA("open usb device failed !");
    return;
  }
  DWORD written = 0;
  const bool whole = WriteFile(device, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size();
  OutputDebugStringA(whole ? "print scuessful !" : "print failed !");
  CloseHandle(device);
}

}  // namespace

SystemUsbPrinters::SystemUsbPrinters(const GUID& interfaceClass) : interfaceClass_(interfaceClass) {}
SystemUsbPrinters::SystemUsbPrinters() : interfaceClass_(kit::kUsbPrinterInterfaceClass) {}

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
  std::thread(RawPrint, path, bytes).detach();
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

void PrintInstallTestPage(UsbPrinterAccess& usb, bool modernWindows) {
  for (const auto& printer : usb.List(modernWindows).printers) {
    usb.StartRawPrint(printer.path, InstallTestPage());
    kit::Pause(kBetweenPrints);
  }
}

std::optional<std::string> CheckUsbPorts(UsbPrinterAccess& usb, bool modernWindows) {
  const AcceptedPrinters accepted = usb.List(modernWindows);
  std::string report(kPortReportHeading);
  for (const auto& printer : accepted.printers) {
    report += PortReportLine(printer.portNumber);
    usb.StartRawPrint(printer.path, CheckPage(printer.portNumber));
    kit::Pause(kBetweenPrints);
  }
  if (!accepted.complete) return std::nullopt;
  if (accepted.printers.empty()) return std::string(kNoUsbPrinter);
  return report;
}

}  // namespace drvsetup
