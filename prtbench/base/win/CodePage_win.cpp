// The code page seam on Windows: through UTF-16 with winui's converters.
#include <windows.h>

#include "prtbench/base/CodePage.h"
#include "winui/Utf.h"

namespace prtbench {

std::string ToCodePage(std::string_view utf8, CodePage page) {
  // the printer pages never get a look-alike for a character they lack
  const DWORD flags = page == CodePage::SystemAnsi ? 0 : WC_NO_BEST_FIT_CHARS;
  return winui::Narrow(winui::Widen(utf8), static_cast<UINT>(page), flags);
}

std::string FromCodePage(std::string_view bytes, CodePage page) {
  return winui::Narrow(winui::Widen(bytes, static_cast<UINT>(page)));
}

}  // namespace prtbench
