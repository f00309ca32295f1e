// Listing USB printer-class interfaces with SetupAPI.
#include "common/win/UsbPrinters.h"

#include <setupapi.h>

namespace kit {
namespace {

std::optional<std::wstring> DevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  // the detail is a variable-length structure; a vector of DWORDs keeps it aligned
  std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) return std::nullopt;
  return std::wstring(detail->DevicePath);
}

}  // namespace

std::optional<std::vector<DeviceInterface>> ListDeviceInterfaces(const GUID& interfaceClass, std::size_t limit) {
  HDEVINFO set = SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<DeviceInterface> interfaces;
  for (DWORD index = 0; index < limit; ++index) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &interfaceClass, index, &data)) break;
    interfaces.push_back({data.Flags, DevicePath(set, data)});
  }
  SetupDiDestroyDeviceInfoList(set);
  return interfaces;
}

}  // namespace kit
