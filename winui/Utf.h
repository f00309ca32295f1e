// Our code keeps text as UTF-8; Win32 wants UTF-16. These convert at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace winui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace winui
