// How the Com Settings lists map to the serial values and the time-out.
#include "prtbench/link/ConnectionSettings.h"

namespace prtbench {

ComListSelection ListSelectionOf(const ComSettings& settings) {
  return {settings.byteSize - 4, settings.parity, settings.stopBits, settings.timeoutSeconds - 1};
}

void ApplyListSelection(const ComListSelection& selection, ComSettings& settings) {
  if (selection.byteSize >= 0) settings.byteSize = static_cast<std::uint8_t>(selection.byteSize + 4);
  if (selection.parity >= 0) settings.parity = static_cast<std::uint8_t>(selection.parity);
  // the list reads "1", "1.5", "2" and the values are one, one and a half, two
  if (selection.stopBits >= 0) {
    settings.stopBits = selection.stopBits == 1 ? 1 : selection.stopBits == 2 ? 2 : 0;
  }
  if (selection.timeout >= 0) settings.timeoutSeconds = selection.timeout + 1;
}

}  // namespace prtbench
