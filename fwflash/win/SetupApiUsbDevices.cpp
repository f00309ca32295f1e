// USB printer interfaces from SetupAPI, opened with CreateFileW.
#include <windows.h>

#include <setupapi.h>

#include <memory>

#include "fwflash/win/UsbDevices.h"

namespace fwflash {
namespace {

const GUID kUsbPrintInterface = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

// The device path of one interface; nullopt when the detail cannot be read.
std::optional<std::wstring> DevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  auto storage = std::make_unique<BYTE[]>(required);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.get());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) return std::nullopt;
  return std::wstring(detail->DevicePath);
}

}  // namespace

std::optional<std::vector<UsbInterface>> SetupApiUsbDevices::PresentInterfaces(size_t limit) {
  HDEVINFO set = SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<UsbInterface> interfaces;
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof data;
  for (DWORD index = 0; index < limit && SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, index, &data);
       ++index) {
    UsbInterface entry{data.Flags, std::nullopt};
    if (entry.flags == kActiveInterface) {
      entry.path = DevicePath(set, data);
      if (!entry.path) {
        interfaces.push_back(entry);
        break;
      }
    }
    interfaces.push_back(std::move(entry));
  }
  SetupDiDestroyDeviceInfoList(set);
  return interfaces;
}

HANDLE SetupApiUsbDevices::Open(const std::wstring& path, DWORD access, DWORD flags) {
  return CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, flags, nullptr);
}

}  // namespace fwflash
