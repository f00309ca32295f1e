// Stand-ins for USB printers under Wine, which cannot open real ones: the
// interfaces seam lists device paths of our choosing, and opening one
// connects to a pair of named pipes that a test-side printer serves (the
// write handle, opened for writing, reaches "<name>-write", the read-only
// read handle "<name>-read").
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "fwflash/win/UsbDevices.h"

namespace fwtest {

class PipeUsbDevices : public fwflash::UsbDevices {
 public:
  struct OpenCall {
    std::wstring path;
    DWORD access;
    DWORD flags;
  };

  std::optional<std::vector<fwflash::UsbInterface>> interfaces = std::vector<fwflash::UsbInterface>{};
  std::map<std::wstring, std::wstring> pipes;  // device path -> pipe name without the suffix

  void AddActive(const std::wstring& path, const std::wstring& pipe = L"") {
    interfaces->push_back({fwflash::kActiveInterface, path});
    if (!pipe.empty()) pipes[path] = pipe;
  }

  std::optional<std::vector<fwflash::UsbInterface>> PresentInterfaces(size_t limit) override {
    std::lock_guard lock(mutex_);
    limits_.push_back(limit);
    if (!interfaces) return std::nullopt;
    std::vector<fwflash::UsbInterface> listed(interfaces->begin(),
                                              interfaces->begin() + std::min(limit, interfaces->size()));
    return listed;
  }

  HANDLE Open(const std::wstring& path, DWORD access, DWORD flags) override {
    std::lock_guard lock(mutex_);
    opens_.push_back({path, access, flags});
    const auto pipe = pipes.find(path);
    if (pipe == pipes.end()) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return INVALID_HANDLE_VALUE;
    }
    const std::wstring name = pipe->second + ((access & GENERIC_WRITE) ? L"-write" : L"-read");
    return CreateFileW(name.c_str(), access, 0, nullptr, OPEN_EXISTING, flags, nullptr);
  }

  std::vector<OpenCall> opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
  }
  std::vector<size_t> limits() const {
    std::lock_guard lock(mutex_);
    return limits_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<OpenCall> opens_;
  std::vector<size_t> limits_;
};

// The printer's end of a pipe pair: reads what the updater wrote, writes replies.
class PipePrinter {
 public:
  // Creates "\\\\.\\pipe\\<unique>-write" and "-read"; name() is the base.
  PipePrinter();
  ~PipePrinter();
  PipePrinter(const PipePrinter&) = delete;
  PipePrinter& operator=(const PipePrinter&) = delete;

  const std::wstring& name() const { return name_; }
  // Waits for the updater to open both ends.
  bool Connect();
  // Exactly `count` bytes the updater wrote; shorter when its end closed.
  std::string Read(size_t count);
  bool Write(const std::string& bytes);
  // True once the updater has opened and closed again its write handle.
  bool WriterClosed();

 private:
  std::wstring name_;
  HANDLE fromUpdater_;
  HANDLE toUpdater_;
};

// A printer that answers the upgrade protocol over a PipePrinter: echoes C1 and
// C2, takes N + 4 bytes and returns the checksum it received. `payload`
// receives the payload and checksum bytes. Returns false on a protocol error.
bool ServeUpgrade(PipePrinter& printer, std::string* payload = nullptr);

}  // namespace fwtest
