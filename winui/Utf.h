// Our code keeps text as UTF-8; Win32 wants UTF-16. These convert at that
// boundary, and between UTF-16 and the other code pages the printers use.
#pragma once

#include <string>
#include <string_view>

namespace winui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// `text` in Windows code page `codePage` as UTF-16.
std::wstring Widen(std::string_view text, unsigned codePage);
// `utf16` in Windows code page `codePage`; `flags` are WideCharToMultiByte's
// (WC_NO_BEST_FIT_CHARS: no look-alike for a character the page lacks).
std::string Narrow(std::wstring_view utf16, unsigned codePage, unsigned long flags = 0);

}  // namespace winui
