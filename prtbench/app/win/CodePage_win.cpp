// The code page seam on Windows: WideCharToMultiByte and MultiByteToWideChar.
#include <windows.h>

#include "prtbench/app/CodePage.h"

namespace prtbench {
namespace {

std::wstring Wide(std::string_view text, UINT page) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Multi(std::wstring_view text, UINT page, DWORD flags) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(page, flags, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::string ToCodePage(std::string_view utf8, CodePage page) {
  // the printer pages never get a look-alike for a character they lack
  const DWORD flags = page == CodePage::SystemAnsi ? 0 : WC_NO_BEST_FIT_CHARS;
  return Multi(Wide(utf8, CP_UTF8), static_cast<UINT>(page), flags);
}

std::string FromCodePage(std::string_view bytes, CodePage page) {
  return Multi(Wide(bytes, static_cast<UINT>(page)), CP_UTF8, 0);
}

}  // namespace prtbench
