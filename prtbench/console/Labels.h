// The main window's texts in its two languages: control labels, the product
// title and the greeting the content box starts with.
#pragma once

#include <span>
#include <string_view>

#include "prtbench/base/Label.h"
#include "prtbench/base/Language.h"

namespace prtbench {

// Every control the language commands relabel, with its message. The serial
// number button is not among them: it writes into the printer, and a caption
// naming a language would invite a click meant to switch languages.
std::span<const Label> MainWindowLabels();

// The content box's first text (ends with CR LF).
std::string_view TemplateGreeting();
std::string_view Greeting(Language language);

}  // namespace prtbench
