// The main window's texts in its two languages: control labels, the product
// title and the greeting the content box starts with.
#pragma once

#include <span>
#include <string_view>

#include "prtbench/app/Language.h"

namespace prtbench {

struct ControlLabel {
  int id;
  std::string_view english;
  std::string_view chinese;
};

// Every control the language commands relabel, with both texts. The serial
// number button is not among them: it writes into the printer, and a caption
// naming a language would invite a click meant to switch languages.
std::span<const ControlLabel> MainWindowLabels();

std::string_view LabelText(const ControlLabel& label, Language language);

// The content box's first text (ends with CR LF).
std::string_view TemplateGreeting();
std::string_view Greeting(Language language);

}  // namespace prtbench
