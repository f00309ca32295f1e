// The program's own file, through winui's lookup.
#include "fwflash/win/ProgramFile.h"

#include "winui/ProgramFolder.h"

namespace fwflash {

std::u16string OwnProgramPath() {
  const std::wstring path = winui::ProgramPath();
  return std::u16string(path.begin(), path.end());
}

}  // namespace fwflash
