// Every text prtbench shows the user, in English and Chinese, from one table
// (MessageTable.def), so a message is added with one line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace prtbench {

enum class Msg {
#define KIT_MESSAGE(name, english, chinese) name,
#include "prtbench/link/MessageTable.def"
#undef KIT_MESSAGE
};

// Values of the program-wide language flag.
inline constexpr int kEnglish = 0;
inline constexpr int kChinese = 1;

// The UTF-8 text of `id`: the Chinese one when `language` is kChinese, the
// English one for any other value.
std::string_view MessageText(Msg id, int language);

// `pattern` with each "%d" or "%s" replaced by the next of `values`, in order;
// placeholders beyond the values stay as they are. Never reads past `values`,
// unlike printf with a table text.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace prtbench
