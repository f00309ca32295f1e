// Whole-file reads and writes through CreateFileW, so that paths with any
// characters work.
#include "prtbench/console/win/TextFile.h"

#include <windows.h>

#include <algorithm>

#include "winui/Utf.h"

namespace prtbench {
namespace {

// Closes the handle when the scope ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (ok()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  FileHandle file(CreateFileW(winui::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.ok() || !GetFileSizeEx(file.get(), &size)) return {{}, FileReadError::Failed};
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return {{}, FileReadError::TooLarge};
  FileRead read;
  read.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  // the file may shrink while it is read: keep what came
  std::size_t done = 0;
  while (done < read.bytes.size()) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(read.bytes.size() - done, 1u << 20));
    if (!ReadFile(file.get(), read.bytes.data() + done, chunk, &got, nullptr)) return {{}, FileReadError::Failed};
    if (got == 0) break;
    done += got;
  }
  read.bytes.resize(done);
  return read;
}

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// A new file beside `path` (same folder, so the replace is a rename), opened
// for writing; `name` says which. Not ok when none can be made there.
FileHandle CreateBeside(const std::wstring& path, std::wstring& name) {
  for (int n = 0; n < 100; ++n) {
    name = path + L".~" + std::to_wstring(n) + L".tmp";
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return FileHandle(file);
  }
  return FileHandle(INVALID_HANDLE_VALUE);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::function<bool(HANDLE file)>& write) {
  const std::wstring target = winui::Widen(path);
  std::wstring temporary;
  bool written = false;
  {
    FileHandle file = CreateBeside(target, temporary);
    if (!file.ok()) return false;
    written = write(file.get()) && FlushFileBuffers(file.get());
  }
  // the original is replaced only by a complete copy
  if (written && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  return ReplaceFileContents(path, [bytes](HANDLE file) { return WriteAll(file, bytes); });
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(winui::Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace prtbench
