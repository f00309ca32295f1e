// The code page seam for native builds, on glibc's iconv: the native tests see
// the same bytes that WideCharToMultiByte gives on Windows for these pages.
#include <iconv.h>

#include <cerrno>

#include "prtbench/base/CodePage.h"

namespace prtbench {
namespace {

const char* IconvName(CodePage page) {
  switch (page) {
    case CodePage::PortugueseDos: return "CP860";
    case CodePage::SimplifiedChinese: return "CP936";
    case CodePage::SystemAnsi: break;
  }
  return "CP1252";
}

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Converts one unit; false when the target cannot represent it.
bool ConvertUnit(iconv_t cd, std::string_view unit, std::string& out) {
  char buffer[16];
  char* in = const_cast<char*>(unit.data());
  size_t inLeft = unit.size();
  char* o = buffer;
  size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
  out.append(buffer, static_cast<size_t>(o - buffer));
  return true;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string ToCodePage(std::string_view utf8, CodePage page) {
  Converter cd(IconvName(page), "UTF-8");
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    if (!cd.ok() || !ConvertUnit(cd.get(), utf8.substr(i, n), out)) out += '?';
    i += n;
  }
  return out;
}

std::string FromCodePage(std::string_view bytes, CodePage page) {
  Converter cd("UTF-8", IconvName(page));
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    // a lead byte of a double-byte page takes its trail byte with it
    const bool pair = page == CodePage::SimplifiedChinese && static_cast<unsigned char>(bytes[i]) >= 0x81 &&
                      i + 1 < bytes.size();
    const size_t n = pair ? 2 : 1;
    if (!cd.ok() || !ConvertUnit(cd.get(), bytes.substr(i, n), out)) out += '?';
    i += n;
  }
  return out;
}

}  // namespace prtbench
