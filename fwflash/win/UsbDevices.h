// The seam between the updater and the system's USB printer interfaces:
// listing them (SetupAPI) and opening one (CreateFile). Tests list paths of
// their own and open pipes instead, since Wine cannot open USB devices.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/win/UsbPrinters.h"

namespace fwflash {

inline constexpr DWORD kActiveInterface = kit::kActiveUsbInterface;
using UsbInterface = kit::DeviceInterface;

class UsbDevices {
 public:
  virtual ~UsbDevices() = default;
  // The present interfaces of the USB printer class in enumeration order, at
  // most `limit`, each with its flags and device path (nullopt when its detail
  // could not be read). nullopt when the system gives no device list.
  virtual std::optional<std::vector<UsbInterface>> PresentInterfaces(size_t limit) = 0;
  // Opens `path` without sharing, existing device only, with `access` and
  // `flags`; INVALID_HANDLE_VALUE on failure.
  virtual HANDLE Open(const std::wstring& path, DWORD access, DWORD flags) = 0;
};

// The real thing: kit::ListUsbPrinterInterfaces and CreateFileW.
class SetupApiUsbDevices : public UsbDevices {
 public:
  std::optional<std::vector<UsbInterface>> PresentInterfaces(size_t limit) override;
  HANDLE Open(const std::wstring& path, DWORD access, DWORD flags) override;
};

}  // namespace fwflash
