// The message texts, generated from the tables in the order of Msg.
#include "prtbench/base/Messages.h"

#include <array>

namespace prtbench {
namespace {

struct Texts {
  std::string_view english;
  std::string_view chinese;
};

constexpr std::array kTexts{
#define KIT_MESSAGE(name, english, chinese) Texts{english, chinese},
#include "prtbench/base/MessageTables.def"
#undef KIT_MESSAGE
};

}  // namespace

std::string_view MessageText(Msg id, Language language) {
  const Texts& texts = kTexts.at(static_cast<size_t>(id));
  return language == Language::Chinese ? texts.chinese : texts.english;
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  auto next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                             (pattern[i + 1] == 'd' || pattern[i + 1] == 's');
    if (placeholder && next != values.end()) {
      text += *next++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace prtbench
