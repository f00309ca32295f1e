// The settings file through GetPrivateProfile*/WritePrivateProfileString.
#include "prtbench/link/win/IniFile.h"

#include <windows.h>

#include <vector>

#include "winui/Utf.h"

namespace prtbench {

std::wstring ExeDirectory() {
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length < name.size()) {
      const std::wstring path(name.data(), length);
      const size_t slash = path.rfind(L'\\');
      return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
    name.resize(name.size() * 2);
  }
}

std::wstring SettingsFilePath() { return ExeDirectory() + L"\\Printer.ini"; }

int IniFileStore::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
  return static_cast<int>(GetPrivateProfileIntW(winui::Widen(section).c_str(), winui::Widen(key).c_str(),
                                                defaultValue, path_.c_str()));
}

std::string IniFileStore::ReadText(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  // the whole value: the callers cut it to their own buffer size
  const std::wstring wideSection = winui::Widen(section);
  const std::wstring wideKey = winui::Widen(key);
  const std::wstring wideDefault = winui::Widen(defaultValue);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(),
                                                  buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
    if (length + 1 < buffer.size()) return winui::Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

bool IniFileStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  return WritePrivateProfileStringW(winui::Widen(section).c_str(), winui::Widen(key).c_str(), winui::Widen(value).c_str(),
                             path_.c_str()) != FALSE;
}

}  // namespace prtbench
