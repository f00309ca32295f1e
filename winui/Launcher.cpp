// ShellLauncher: ShellExecuteW with the "open" verb, shown normally.
#include "winui/Launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "winui/Utf.h"

namespace winui {

bool ShellLauncher::Open(std::string_view file, std::string_view parameters) {
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", wideFile.c_str(),
                                         wideParameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
  // values above 32 mean success
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace winui
