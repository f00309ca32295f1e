// Where the running program's own file lies, and the files found beside it.
// What the kit ships is looked up there, never in the current folder: a
// shortcut's "Start in" or a command prompt elsewhere must not change which
// picture, program or driver file is used.
#pragma once

#include <string>
#include <string_view>

namespace winui {

// Full path of the running program's file, however long.
std::wstring ProgramPath();
// Its folder, without a trailing backslash.
std::wstring ProgramFolder();
// `relative` (for example "myTitle\\fwflash.exe") in the program's folder, as UTF-8.
std::string BesideProgram(std::string_view relative);
// `name` (for example "ping.exe") in the system folder, as UTF-8, so that no
// file of that name in the current folder or on the path runs instead.
std::string SystemProgram(std::string_view name);

}  // namespace winui
