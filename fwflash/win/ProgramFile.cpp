// GetModuleFileNameW with a buffer that grows until the path fits.
#include "fwflash/win/ProgramFile.h"

#include <windows.h>

namespace fwflash {

std::u16string OwnProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return std::u16string(path.begin(), path.end());
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace fwflash
