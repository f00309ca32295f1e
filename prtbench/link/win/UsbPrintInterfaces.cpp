// prtbench's view of the USB printer-class interfaces: UTF-8 paths.
#include "prtbench/link/win/UsbPrintInterfaces.h"

#include "common/win/UsbPrinters.h"
#include "prtbench/link/Ports.h"
#include "winui/Utf.h"

namespace prtbench {

std::optional<std::vector<UsbInterface>> SetupApiUsbInterfaces::List() {
  const auto listed = kit::ListUsbPrinterInterfaces(kMaxUsbInterfaces);
  if (!listed) return std::nullopt;
  std::vector<UsbInterface> interfaces;
  for (const kit::DeviceInterface& entry : *listed) {
    std::optional<std::string> path;
    if (entry.path) path = winui::Narrow(*entry.path);
    interfaces.push_back({entry.flags, std::move(path)});
  }
  return interfaces;
}

}  // namespace prtbench
