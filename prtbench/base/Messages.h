// Every text prtbench shows the user, in English and Chinese. Each subsystem
// keeps its own table (<subsystem>/Messages.def) so a message is added with one
// line in one file; Msg numbers them all.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "prtbench/base/Language.h"

namespace prtbench {

enum class Msg {
#define KIT_MESSAGE(name, english, chinese) name,
#include "prtbench/base/MessageTables.def"
#undef KIT_MESSAGE
};

// The UTF-8 text of `id` in `language`.
std::string_view MessageText(Msg id, Language language);

// `pattern` with each "%d" or "%s" replaced by the next of `values`, in order;
// placeholders beyond the values stay as they are. Never reads past `values`,
// unlike printf with a table text.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace prtbench
