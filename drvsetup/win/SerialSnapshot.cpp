// SERIALCOMM and the virtual COM device's instances, read from the registry.
#include "drvsetup/win/SerialSnapshot.h"

#include <windows.h>

#include <algorithm>

#include "winui/Utf.h"

namespace drvsetup {
namespace {

constexpr DWORD kMaxEntries = 256;
constexpr DWORD kTextLength = 256;

class Key {
 public:
  explicit Key(const std::wstring& path) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &handle_) != ERROR_SUCCESS) handle_ = nullptr;
  }
  ~Key() {
    if (handle_) RegCloseKey(handle_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

// Registry text of `size` bytes, which may or may not hold its terminating zero.
std::string TextOf(const wchar_t* text, DWORD bytes) {
  std::wstring value(text, bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return winui::Narrow(value);
}

std::vector<std::wstring> Subkeys(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t name[kTextLength];
  for (DWORD i = 0; i < kMaxEntries; ++i) {
    DWORD length = kTextLength;
    // any error, not only the end of the list, ends it
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace

std::optional<std::vector<SerialEntry>> SnapshotSerialPorts(const wchar_t* path) {
  Key key(path);
  if (!key.get()) return std::nullopt;
  std::vector<SerialEntry> entries;
  for (DWORD i = 0; i < kMaxEntries; ++i) {
    wchar_t name[kTextLength] = {};
    wchar_t data[kTextLength / sizeof(wchar_t) + 1] = {};
    DWORD nameLength = kTextLength, dataBytes = kTextLength;
    const LONG result = RegEnumValueW(key.get(), i, name, &nameLength, nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(data), &dataBytes);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
    entries.push_back({winui::Narrow(std::wstring(name, nameLength)), TextOf(data, std::min(dataBytes, kTextLength))});
  }
  return entries;
}

std::optional<std::vector<std::string>> ListVirtualComPorts(const wchar_t* path) {
  std::vector<std::wstring> instances;
  {
    Key device(path);
    if (!device.get()) return std::nullopt;
    instances = Subkeys(device.get());
  }
  if (instances.empty()) return std::nullopt;
  std::vector<std::string> ports;
  for (const auto& instance : instances) {
    // an instance without its parameters has no port; the others keep theirs
    Key parameters(std::wstring(path) + L"\\" + instance + L"\\Device Parameters");
    wchar_t name[kTextLength / sizeof(wchar_t) + 1] = {};
    DWORD bytes = kTextLength;
    const bool read = parameters.get() && RegQueryValueExW(parameters.get(), L"PortName", nullptr, nullptr,
                                                           reinterpret_cast<BYTE*>(name), &bytes) == ERROR_SUCCESS;
    ports.push_back(read ? TextOf(name, bytes) : std::string());
  }
  return ports;
}

}  // namespace drvsetup
