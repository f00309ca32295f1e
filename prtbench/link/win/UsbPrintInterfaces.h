// Where the USB link finds printers: the present interfaces of the USB
// printer class. SetupAPI in the program; tests list interfaces of their own
// whose paths lead to files or pipes, since Wine cannot open a USB printer.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "prtbench/link/LinkDevices.h"

namespace prtbench {

class UsbInterfaceSource {
 public:
  virtual ~UsbInterfaceSource() = default;
  // In enumeration order, at most kMaxUsbInterfaces; nullopt when no list can be had.
  virtual std::optional<std::vector<UsbInterface>> List() = 0;
};

// The present interfaces of the USB printer class (kit::ListUsbPrinterInterfaces),
// each with its flags and UTF-8 device path (none when the detail cannot be read).
class SetupApiUsbInterfaces : public UsbInterfaceSource {
 public:
  std::optional<std::vector<UsbInterface>> List() override;
};

}  // namespace prtbench
