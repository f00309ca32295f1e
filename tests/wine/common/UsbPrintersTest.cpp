// The device interface lister against interfaces faked in Wine's registry,
// under a class of the test's own so that no other test sees them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "common/win/UsbPrinters.h"
#include "support/FakeUsbInterfaces.h"

namespace {

constexpr GUID kTestClass = {0x6B1C0F1E, 0x4A3D, 0x4E57, {0x9C, 0x2A, 0x5D, 0x7E, 0x3B, 0x9A, 0x0C, 0x11}};
const std::wstring kTestClassText = L"{6b1c0f1e-4a3d-4e57-9c2a-5d7e3b9a0c11}";
const std::wstring kDevice = L"VID_7E57&PID_0001";

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

std::vector<kit::DeviceInterface> InLowerCase(std::vector<kit::DeviceInterface> interfaces) {
  for (auto& i : interfaces) {
    if (i.path) i.path = Lower(*i.path);
  }
  return interfaces;
}

TEST(DeviceInterfaces, PresentOnesWithFlagsAndPathsAtMostTheLimit) {
  // Wine reports the paths in lower case
  testsupport::FakeUsbInterfaces fake(kTestClassText);
  const std::wstring a = Lower(fake.Add(kDevice, L"a1", true).path);
  fake.Add(kDevice, L"b2", false);
  const std::wstring c = Lower(fake.Add(kDevice, L"c3", true).path);
  const std::wstring d = Lower(fake.Add(kDevice, L"d4", true).path);

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
