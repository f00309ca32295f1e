// The program's own file, whose name may name an extra accepted USB vendor.
#pragma once

#include <string>

namespace fwflash {

// Full path of the running program's file, however long.
std::u16string OwnProgramPath();

}  // namespace fwflash
