// USB port discovery against printer interfaces faked in Wine's registry,
// listed under a class of the test's own so that no other test sees them;
// their Linked and Port Number values sit where the system keeps them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drvsetup/win/UsbPrinterPorts.h"

namespace {

constexpr GUID kTestClass = {0x5D0C3A71, 0x2B6E, 0x4F19, {0x8A, 0x44, 0x1E, 0x90, 0x6C, 0x3D, 0x7B, 0x25}};
const std::wstring kTestClassText = L"{5d0c3a71-2b6e-4f19-8a44-1e906c3d7b25}";
const std::wstring kClasses = L"System\\CurrentControlSet\\Control\\DeviceClasses\\";
const std::wstring kPrintClassText = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
constexpr wchar_t kDeviceSetupClass[] = L"{36fc9e60-c465-11cf-8056-444553540000}";

void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void SetValue(const std::wstring& key, const wchar_t* name, DWORD value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

struct FakePrinter {
  std::wstring device;  // "VID_0483&PID_5720"
  std::wstring serial;
  DWORD linked;
  DWORD portNumber;  // 0: no Port Number value
};

class FakeInterfaces {
 public:
  ~FakeInterfaces() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + kTestClassText).c_str());
    for (const auto& key : removals_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  }
  void Add(const FakePrinter& p) {
    const std::wstring instance = L"USB\\" + p.device + L"\\" + p.serial;
    const std::wstring name = L"##?#USB#" + p.device + L"#" + p.serial + L"#" + kTestClassText;
    const std::wstring listed = kClasses + kTestClassText + L"\\" + name;
    const std::wstring values = kClasses + kPrintClassText + L"\\" + name + L"\\#";
    SetValue(L"System\\CurrentControlSet\\Enum\\" + instance, L"ClassGUID", kDeviceSetupClass);
    SetValue(listed, L"DeviceInstance", instance);
    SetValue(listed + L"\\#", L"SymbolicLink", L"\\\\?\\" + name.substr(4));
    SetValue(listed + L"\\#\\Control", L"Linked", 1);
    SetValue(values + L"\\Control", L"Linked", p.linked);
    if (p.portNumber) SetValue(values + L"\\Device Parameters", L"Port Number", p.portNumber);
    removals_.push_back(L"System\\CurrentControlSet\\Enum\\USB\\" + p.device);
    removals_.push_back(kClasses + kPrintClassText + L"\\" + name);
  }

 private:
  std::vector<std::wstring> removals_;
};

std::vector<unsigned> Ports(const drvsetup::AcceptedPrinters& accepted) {
  std::vector<unsigned> ports;
  for (const auto& p : accepted.printers) ports.push_back(p.portNumber);
  std::sort(ports.begin(), ports.end());
  return ports;
}

TEST(UsbPortDiscovery, AcceptedVendorsLinkedBeforeWindows8WithAPortNumber) {
  FakeInterfaces fake;
  fake.Add({L"VID_0483&PID_5720", L"a1", 1, 3});
  fake.Add({L"VID_04B8&PID_0202", L"b2", 1, 4});   // vendor not accepted
  fake.Add({L"VID_1CBE&PID_0002", L"c3", 0, 12});  // off-line before Windows 8
  fake.Add({L"VID_067B&PID_2305", L"d4", 1, 0});   // no port number
  drvsetup::SystemUsbPrinters usb(kTestClass);

  const std::vector<std::pair<bool, std::vector<unsigned>>> cases{{false, {3}}, {true, {3, 12}}};
  for (const auto& [modern, ports] : cases) {
    const auto accepted = usb.List(modern);
    EXPECT_TRUE(accepted.complete) << modern;
    EXPECT_EQ(Ports(accepted), ports) << modern;
  }
  EXPECT_EQ(drvsetup::FindUsbPrinterPort(usb, false), "USB003");
}

TEST(UsbPortDiscovery, NoAcceptedPrinterGivesNoPort) {
  FakeInterfaces fake;
  fake.Add({L"VID_04B8&PID_0202", L"b2", 1, 4});
  drvsetup::SystemUsbPrinters usb(kTestClass);
  EXPECT_TRUE(usb.List(true).printers.empty());
  EXPECT_EQ(drvsetup::FindUsbPrinterPort(usb, true), std::nullopt);
}

}  // namespace
