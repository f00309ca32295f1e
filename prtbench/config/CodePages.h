// The printer's code pages as the advanced settings list offers them: the
// number each sends and the name it shows, in list order.
#pragma once

#include <span>
#include <string_view>

namespace prtbench {

struct CodePageEntry {
  int n;  // the printer's code page number; the command sends its low byte
  std::string_view name;
};

// The 70 entries in list order, duplicates included (the last two are the
// same pair, and some names repeat with other numbers).
std::span<const CodePageEntry> CodePageTable();

// The entry the list selects when the dialog opens: "PC860(PT)".
inline constexpr int kInitialCodePageIndex = 3;

}  // namespace prtbench
