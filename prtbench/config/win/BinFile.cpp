// ReadBinFile on CreateFileW, so paths in any script open.
#include "prtbench/config/win/BinFile.h"

#include <windows.h>

#include <cstdint>
#include <new>

#include "prtbench/config/Send.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

bool ReadAll(HANDLE file, Bytes& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t left = bytes.size() - done;
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

BinFile ReadBinFile(const std::string& utf8Path) {
  BinFile result;
  HANDLE file = CreateFileW(winui::Widen(utf8Path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return result;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size)) {
    const auto length = static_cast<std::uint64_t>(size.QuadPart);
    // checked in 64 bits first: on the 32-bit build a 2-4 GiB size would
    // make resize throw length_error, which no caller expects
    result.outcome = BinFile::Outcome::TooLarge;
    if (FitsOneSend(length, result.bytes.max_size())) {
      try {
        result.bytes.resize(static_cast<size_t>(length));
        result.outcome = ReadAll(file, result.bytes) ? BinFile::Outcome::Read : BinFile::Outcome::Unreadable;
      } catch (const std::bad_alloc&) {
      }
    }
  }
  CloseHandle(file);
  if (result.outcome != BinFile::Outcome::Read) result.bytes = Bytes();
  return result;
}

}  // namespace prtbench
