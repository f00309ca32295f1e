// Sets a dialog's texts for the language from its {control, message} table.
#pragma once

#include <span>

#include "prtbench/base/Label.h"
#include "winui/Dialog.h"

namespace prtbench {

// Gives each control of `labels` its message's text in `language`.
inline void Relabel(winui::Dialog& dialog, std::span<const Label> labels, Language language) {
  for (const Label& label : labels) dialog.SetText(label.id, MessageText(label.text, language));
}

}  // namespace prtbench
