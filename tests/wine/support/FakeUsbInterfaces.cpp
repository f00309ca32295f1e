#include "support/FakeUsbInterfaces.h"

#include <gtest/gtest.h>

namespace testsupport {
namespace {

// any device setup class: SetupAPI lists no interface of a device without one
constexpr wchar_t kDeviceSetupClass[] = L"{36fc9e60-c465-11cf-8056-444553540000}";
const std::wstring kUsbDevicesKey = L"System\\CurrentControlSet\\Enum\\USB\\";

void SetValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, type, data, size), ERROR_SUCCESS);
}

}  // namespace

void SetMachineValue(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  SetValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetMachineValue(const std::wstring& key, const wchar_t* name, DWORD value) {
  SetValue(key, name, REG_DWORD, &value, sizeof value);
}

FakeUsbInterfaces::~FakeUsbInterfaces() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kDeviceClassesKey + classText_).c_str());
  for (const std::wstring& key : removals_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
}

FakeUsbInterfaces::Interface FakeUsbInterfaces::Add(const std::wstring& device, const std::wstring& serial,
                                                    bool linked) {
  const std::wstring tail = L"USB#" + device + L"#" + serial + L"#" + classText_;
  const Interface added{L"##?#" + tail, L"\\\\?\\" + tail};
  const std::wstring key = kDeviceClassesKey + classText_ + L"\\" + added.key;
  SetMachineValue(kUsbDevicesKey + device + L"\\" + serial, L"ClassGUID", kDeviceSetupClass);
  SetMachineValue(key, L"DeviceInstance", L"USB\\" + device + L"\\" + serial);
  SetMachineValue(key + L"\\#", L"SymbolicLink", added.path);
  SetMachineValue(key + L"\\#\\Control", L"Linked", linked ? 1u : 0u);
  RemoveLater(kUsbDevicesKey + device);
  return added;
}

}  // namespace testsupport
