// Text through the system converter; invalid input becomes U+FFFD.
#include "winui/Utf.h"

#include <windows.h>

namespace winui {

std::wstring Widen(std::string_view text, unsigned codePage) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view utf16, unsigned codePage, unsigned long flags) {
  if (utf16.empty()) return {};
  const int n = WideCharToMultiByte(codePage, flags, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring Widen(std::string_view utf8) { return Widen(utf8, CP_UTF8); }

std::string Narrow(std::wstring_view utf16) { return Narrow(utf16, CP_UTF8); }

}  // namespace winui
