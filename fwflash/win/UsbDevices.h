// The seam between the updater and the system's USB printer interfaces:
// listing them (SetupAPI) and opening one (CreateFile). Tests list paths of
// their own and open pipes instead, since Wine cannot open USB devices.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fwflash {

// The interface flags value of an active interface (SPINT_ACTIVE).
inline constexpr DWORD kActiveInterface = 1;

struct UsbInterface {
  DWORD flags = 0;
  // The device path; nullopt when reading the interface detail failed.
  std::optional<std::wstring> path;
};

class UsbDevices {
 public:
  virtual ~UsbDevices() = default;
  // The present interfaces of the USB printer class in enumeration order, at
  // most `limit`. Details are read only for active interfaces, and the list
  // ends with the first one whose detail could not be read. nullopt when the
  // system gives no device list.
  virtual std::optional<std::vector<UsbInterface>> PresentInterfaces(size_t limit) = 0;
  // Opens `path` without sharing, existing device only, with `access` and
  // `flags`; INVALID_HANDLE_VALUE on failure.
  virtual HANDLE Open(const std::wstring& path, DWORD access, DWORD flags) = 0;
};

// The real thing: SetupAPI's present device interfaces of the USB printer
// class {28D78FAD-5A12-11D1-AE5B-0000F803A8C2} and CreateFileW.
class SetupApiUsbDevices : public UsbDevices {
 public:
  std::optional<std::vector<UsbInterface>> PresentInterfaces(size_t limit) override;
  HANDLE Open(const std::wstring& path, DWORD access, DWORD flags) override;
};

}  // namespace fwflash
