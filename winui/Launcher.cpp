// ShellLauncher: ShellExecuteW with the "open" verb, shown normally.
#include "winui/Launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "winui/Utf.h"

namespace winui {
namespace {

// Empty texts are passed as none, so the shell uses its own choice.
bool ShellOpen(std::string_view file, std::string_view parameters, std::string_view directory) {
  const std::wstring wideFile = Widen(file), wideParameters = Widen(parameters), wideDirectory = Widen(directory);
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", wideFile.c_str(), wideParameters.empty() ? nullptr : wideParameters.c_str(),
                    wideDirectory.empty() ? nullptr : wideDirectory.c_str(), SW_SHOWNORMAL);
  // values above 32 mean success
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool ShellLauncher::Open(std::string_view file, std::string_view parameters) { return ShellOpen(file, parameters, {}); }

bool ShellLauncher::OpenIn(std::string_view file, std::string_view directory) { return ShellOpen(file, {}, directory); }

}  // namespace winui
