// The USB printer-class device interfaces the system lists, for the programs
// that open USB printers; each program keeps its own rule for which one.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kit {

// GUID_DEVINTERFACE_USBPRINT {28D78FAD-5A12-11D1-AE5B-0000F803A8C2}: the
// interfaces listed here and the arrival and removal notices windows ask for.
inline constexpr GUID kUsbPrinterInterfaceClass = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

// The flags of an interface that is active and nothing else (SPINT_ACTIVE).
inline constexpr DWORD kActiveUsbInterface = 1;

struct DeviceInterface {
  DWORD flags = 0;
  // The device path; nullopt when the interface's detail cannot be read.
  std::optional<std::wstring> path;
  bool operator==(const DeviceInterface&) const = default;
};

// The present interfaces of `interfaceClass` in enumeration order, at most
// `limit`, each with its flags and device path. nullopt when the system gives
// no device list.
std::optional<std::vector<DeviceInterface>> ListDeviceInterfaces(const GUID& interfaceClass, std::size_t limit);

// ListDeviceInterfaces of kUsbPrinterInterfaceClass.
inline std::optional<std::vector<DeviceInterface>> ListUsbPrinterInterfaces(std::size_t limit) {
  return ListDeviceInterfaces(kUsbPrinterInterfaceClass, limit);
}

}  // namespace kit
