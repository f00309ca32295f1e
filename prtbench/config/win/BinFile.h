// Reading a file to send to the printer as it is.
#pragma once

#include <string>

#include "prtbench/base/Bytes.h"

namespace prtbench {

struct BinFile {
  enum class Outcome { Read, Unreadable, TooLarge };
  Outcome outcome = Outcome::Unreadable;
  Bytes bytes;
};

// The whole file at `utf8Path`. A file that cannot be opened or read is
// Unreadable; one that does not fit in memory (or in one send) is TooLarge,
// never a crash.
BinFile ReadBinFile(const std::string& utf8Path);

}  // namespace prtbench
