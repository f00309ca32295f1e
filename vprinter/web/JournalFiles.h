// The web side's reading and writing in the journal folder.
#pragma once

#include <string>
#include <vector>

#include "vprinter/web/Model.h"

namespace vprinter::web {

// The firmware-<n>.fmw images in `dir`, newest (highest n) first.
std::vector<FirmwareImage> ScanFirmware(const std::string& dir);

// Replaces `dir`/`name` with `text` in one step (a temporary file renamed
// over it), so the print loop never reads half of it. False with a message.
bool WriteControl(const std::string& dir, const std::string& name, const std::string& text, std::string& error);

// A journal file opened for reading, refusing symbolic links and anything
// but a regular file; -1 when it cannot be. `size` gets its size.
int OpenJournalFile(const std::string& dir, const std::string& name, std::uint64_t& size);

}  // namespace vprinter::web
