// USB printer interfaces as the system lists them, opened with CreateFileW.
#include "fwflash/win/UsbDevices.h"

namespace fwflash {

std::optional<std::vector<UsbInterface>> SetupApiUsbDevices::PresentInterfaces(size_t limit) {
  return kit::ListUsbPrinterInterfaces(limit);
}

HANDLE SetupApiUsbDevices::Open(const std::wstring& path, DWORD access, DWORD flags) {
  return CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, flags, nullptr);
}

}  // namespace fwflash
