// The settings file through GetPrivateProfile*/WritePrivateProfileString.
#include "prtbench/link/win/IniFile.h"

#include <windows.h>

#include <vector>

#include "winui/ProgramFolder.h"
#include "winui/Utf.h"

namespace prtbench {

std::wstring SettingsFilePath() { return winui::ProgramFolder() + L"\\Printer.ini"; }

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
