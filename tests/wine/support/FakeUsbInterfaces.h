// USB device interfaces faked in Wine's registry as the system records them,
// under an interface class of the test's own so that no other test sees
// them; removed, with whatever else the test asks, when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A value under HKEY_LOCAL_MACHINE\`key`, the key made when missing; a test
// failure when it cannot be written.
void SetMachineValue(const std::wstring& key, const wchar_t* name, const std::wstring& text);
void SetMachineValue(const std::wstring& key, const wchar_t* name, DWORD value);

inline const std::wstring kDeviceClassesKey = L"System\\CurrentControlSet\\Control\\DeviceClasses\\";

class FakeUsbInterfaces {
 public:
  // `classText` is the test's interface class, "{xxxxxxxx-...}" in lower case.
  explicit FakeUsbInterfaces(std::wstring classText) : classText_(std::move(classText)) {}
  ~FakeUsbInterfaces();
  FakeUsbInterfaces(const FakeUsbInterfaces&) = delete;
  FakeUsbInterfaces& operator=(const FakeUsbInterfaces&) = delete;

  struct Interface {
    std::wstring key;   // its key name under the class: "##?#USB#<device>#<serial>#<class>"
    std::wstring path;  // its symbolic link: "\\?\USB#<device>#<serial>#<class>"
  };
  // One interface on device USB\<device>\<serial> (device "VID_7E57&PID_0001"),
  // present when `linked`.
  Interface Add(const std::wstring& device, const std::wstring& serial, bool linked);
  // Removes the key under HKEY_LOCAL_MACHINE with the others.
  void RemoveLater(std::wstring key) { removals_.push_back(std::move(key)); }

 private:
  std::wstring classText_;
  std::vector<std::wstring> removals_;
};

}  // namespace testsupport
