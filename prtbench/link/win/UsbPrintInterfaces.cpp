// Listing USB printer-class interfaces with SetupAPI.
#include "prtbench/link/win/UsbPrintInterfaces.h"

#include <setupapi.h>

#include "prtbench/link/Ports.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

std::optional<std::string> DevicePath(HDEVINFO info, SP_DEVICE_INTERFACE_DATA& data) {
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(info, &data, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  std::vector<BYTE> buffer(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(info, &data, detail, size, nullptr, nullptr)) return std::nullopt;
  return winui::Narrow(detail->DevicePath);
}

}  // namespace

std::optional<std::vector<UsbInterface>> SetupApiUsbInterfaces::List() {
  HDEVINFO info = SetupDiGetClassDevsW(&kUsbPrintInterfaceClass, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (info == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<UsbInterface> interfaces;
  for (DWORD index = 0; index < kMaxUsbInterfaces; ++index) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(info, nullptr, &kUsbPrintInterfaceClass, index, &data)) break;
    interfaces.push_back({data.Flags, DevicePath(info, data)});
  }
  SetupDiDestroyDeviceInfoList(info);
  return interfaces;
}

}  // namespace prtbench
