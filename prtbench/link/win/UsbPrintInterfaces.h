// Where the USB link finds printers: the present interfaces of the USB
// printer class. SetupAPI in the program; tests list interfaces of their own
// whose paths lead to files or pipes, since Wine cannot open a USB printer.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "prtbench/link/LinkDevices.h"

namespace prtbench {

// GUID_DEVINTERFACE_USBPRINT, also what the main window registers for notices.
inline constexpr GUID kUsbPrintInterfaceClass = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

class UsbInterfaceSource {
 public:
  virtual ~UsbInterfaceSource() = default;
  // In enumeration order, at most kMaxUsbInterfaces; nullopt when no list can be had.
  virtual std::optional<std::vector<UsbInterface>> List() = 0;
};

// The present interfaces of kUsbPrintInterfaceClass, each with its flags and
// device path (none when the detail cannot be read).
class SetupApiUsbInterfaces : public UsbInterfaceSource {
 public:
  std::optional<std::vector<UsbInterface>> List() override;
};

}  // namespace prtbench
