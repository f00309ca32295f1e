// Whole files for the content box: read one into memory, write one anew.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace prtbench {

enum class FileReadError { None, Failed, TooLarge };

struct FileRead {
  std::string bytes;
  FileReadError error = FileReadError::None;
};

// All bytes of the file at `path` (UTF-8); TooLarge, with nothing read, when
// it holds more than `maxBytes`; Failed when it cannot be opened or read.
FileRead ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Creates or truncates the file at `path` and writes `bytes`; false when
// either failed (a file cut short by a failed write may remain).
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// True when `path` names an existing file that is no directory.
bool IsRegularFile(const std::string& path);

}  // namespace prtbench
