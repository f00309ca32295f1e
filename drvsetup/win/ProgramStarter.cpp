// ShellProgramStarter: ShellExecuteW with a working directory.
#include "drvsetup/win/ProgramStarter.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "winui/Utf.h"

namespace drvsetup {

bool ShellProgramStarter::Start(std::string_view program, std::string_view directory) {
  const std::wstring file = winui::Widen(program), folder = winui::Widen(directory);
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;  // values above 32 mean success
}

}  // namespace drvsetup
