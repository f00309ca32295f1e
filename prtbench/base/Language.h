// The language prtbench shows its texts in.
#pragma once

namespace prtbench {

// The values are those of the program-wide language flag the windows
// switch: 1 Chinese, 0 English.
enum class Language : int { English = 0, Chinese = 1 };

}  // namespace prtbench
