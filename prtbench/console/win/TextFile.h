// Whole files for the content box: read one into memory, write one anew
// without ever leaving it half written.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
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

// Has `write` fill a new file in the folder of `path`, then replaces the
// file at `path` with it. False when any step failed (`write` included); the
// file at `path` is then as it was and no temporary file remains.
bool ReplaceFileContents(const std::string& path, const std::function<bool(HANDLE file)>& write);

// ReplaceFileContents with `bytes`.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// True when `path` names an existing file that is no directory.
bool IsRegularFile(const std::string& path);

}  // namespace prtbench
