// GetModuleFileNameW with a buffer that grows until the path fits, and the
// system folder from GetSystemDirectoryW.
#include "winui/ProgramFolder.h"

#include <windows.h>

#include "winui/Utf.h"

namespace winui {

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolder() {
  const std::wstring path = ProgramPath();
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::string BesideProgram(std::string_view relative) {
  return Narrow(ProgramFolder()) + "\\" + std::string(relative);
}

std::string SystemProgram(std::string_view name) {
  const UINT length = GetSystemDirectoryW(nullptr, 0);
  std::wstring folder(length, L'\0');
  folder.resize(GetSystemDirectoryW(folder.data(), length));
  return Narrow(folder) + "\\" + std::string(name);
}

}  // namespace winui
