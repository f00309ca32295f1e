// The device interface lister against interfaces faked in Wine's registry,
// under a class of the test's own so that no other test sees them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "common/win/UsbPrinters.h"

namespace {

constexpr GUID kTestClass = {0x6B1C0F1E, 0x4A3D, 0x4E57, {0x9C, 0x2A, 0x5D, 0x7E, 0x3B, 0x9A, 0x0C, 0x11}};
const std::wstring kTestClassText = L"{6b1c0f1e-4a3d-4e57-9c2a-5d7e3b9a0c11}";
const std::wstring kClassKey = L"System\\CurrentControlSet\\Control\\DeviceClasses\\" + kTestClassText;
const std::wstring kEnumKey = L"System\\CurrentControlSet\\Enum\\USB\\VID_7E57&PID_0001";
// any device setup class; SetupAPI lists no interface of a device without one
constexpr wchar_t kDeviceSetupClass[] = L"{36fc9e60-c465-11cf-8056-444553540000}";

void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void SetValue(const std::wstring& key, const wchar_t* name, DWORD value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// Interfaces of kTestClass on devices USB\VID_7E57&PID_0001\<serial>, written
// as the system records them (Wine makes the path lower case); removed when
// the test ends.
class FakeInterfaces {
 public:
  ~FakeInterfaces() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey.c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kEnumKey.c_str());
  }
  // Adds one on device `serial`, present when `linked`; returns its path.
  std::wstring Add(const std::wstring& serial, bool linked) {
    const std::wstring path = L"\\\\?\\usb#vid_7e57&pid_0001#" + serial + L"#" + kTestClassText;
    const std::wstring key = kClassKey + L"\\##?#USB#VID_7E57&PID_0001#" + serial + L"#" + kTestClassText;
    SetValue(kEnumKey + L"\\" + serial, L"ClassGUID", kDeviceSetupClass);
    SetValue(key, L"DeviceInstance", L"USB\\VID_7E57&PID_0001\\" + serial);
    SetValue(key + L"\\#", L"SymbolicLink", path);
    SetValue(key + L"\\#\\Control", L"Linked", linked ? 1 : 0);
    return path;
  }
};

std::vector<kit::DeviceInterface> InLowerCase(std::vector<kit::DeviceInterface> interfaces) {
  for (auto& i : interfaces) {
    if (i.path) i.path = Lower(*i.path);
  }
  return interfaces;
}

TEST(DeviceInterfaces, PresentOnesWithFlagsAndPathsAtMostTheLimit) {
  FakeInterfaces fake;
  const std::wstring a = fake.Add(L"a1", true);
  fake.Add(L"b2", false);
  const std::wstring c = fake.Add(L"c3", true);
  const std::wstring d = fake.Add(L"d4", true);

  const auto all = kit::ListDeviceInterfaces(kTestClass, 10);
  ASSERT_TRUE(all.has_value());
  auto sorted = InLowerCase(*all);
  std::sort(sorted.begin(), sorted.end(), [](const auto& x, const auto& y) { return x.path < y.path; });
  EXPECT_EQ(sorted, (std::vector<kit::DeviceInterface>{{1, a}, {1, c}, {1, d}}));

  for (const size_t limit : {0, 1, 2, 3, 4}) {
    const auto listed = kit::ListDeviceInterfaces(kTestClass, limit);
    ASSERT_TRUE(listed.has_value()) << limit;
    const std::vector<kit::DeviceInterface> first(all->begin(), all->begin() + std::min(limit, all->size()));
    EXPECT_EQ(*listed, first) << "limit " << limit;
  }
}

}  // namespace
