// USB printer links: the first accepted device, opened twice (one handle for
// timed writes, one for the read thread), both overlapped, and replies
// taken from what the read thread collected.
#include <array>

#include "fwflash/win/PortLayer.h"

namespace fwflash {
namespace {

std::string ThreadAnsi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr,
                      nullptr);
  return narrow;
}

bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }

void CloseIfValid(HANDLE handle) {
  if (Valid(handle)) CloseHandle(handle);
}

// Writes everything, in as many writes as the device needs; a write that
// moves nothing within `stalledMs` is cancelled and fails.
bool WriteAll(HANDLE handle, std::span<const uint8_t> bytes, DWORD stalledMs) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool ok = overlapped.hEvent != nullptr;
  while (ok && !bytes.empty()) {
    ResetEvent(overlapped.hEvent);
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped)) {
      if (GetLastError() != ERROR_IO_PENDING) break;
      if (WaitForSingleObject(overlapped.hEvent, stalledMs) != WAIT_OBJECT_0) CancelIo(handle);
    }
    DWORD written = 0;
    ok = GetOverlappedResult(handle, &overlapped, &written, TRUE) && written > 0;
    if (ok) bytes = bytes.subspan(written);
  }
  if (overlapped.hEvent) CloseHandle(overlapped.hEvent);
  return ok && bytes.empty();
}

}  // namespace

int PortLayer::UsbOpen() {
  const std::optional<std::vector<UsbInterface>> interfaces = usb_.PresentInterfaces(kUsbInterfaceLimit);
  if (!interfaces) return -3;
  for (const UsbInterface& entry : *interfaces) {
    if (entry.flags != kActiveInterface) continue;
    if (!entry.path) return -2;
    const std::optional<std::string> key = DeviceVendorKey(ThreadAnsi(*entry.path));
    if (!key || !vendors_.Matches(*key)) continue;
    UsbLinkRecord record;
    record.write = usb_.Open(*entry.path, GENERIC_READ | GENERIC_WRITE, FILE_FLAG_OVERLAPPED);
    record.read = usb_.Open(*entry.path, GENERIC_READ, FILE_FLAG_OVERLAPPED);
    if (!Valid(record.write) || !Valid(record.read)) {
      CloseIfValid(record.write);
      CloseIfValid(record.read);
      return -1;
    }
    return usbLinks_.Add(record);
  }
  return -1;
}

bool PortLayer::UsbClose(int number) {
  const std::optional<UsbLinkRecord> record = usbLinks_.Remove(number);
  if (!record) return false;
  const bool complete = Valid(record->write) && Valid(record->read);
  CloseIfValid(record->write);
  CloseIfValid(record->read);
  return complete;
}

bool PortLayer::UsbSend(std::span<const uint8_t> bytes) {
  const std::optional<UsbLinkRecord> record = usbLinks_.Find(linkNumber_.load());
  return record && Valid(record->write) && WriteAll(record->write, bytes, stalledWriteMs_);
}

bool PortLayer::UsbReceive(Reply& reply) {
  for (int poll = 0; poll < kReplyPolls; ++poll) {
    if (receive_.TakeReply(reply)) return true;
    clock_.Pause(kReplyPollMs);
  }
  return false;
}

void PortLayer::StartUsbReader(int number) {
  StopUsbReader();
  readerStop_.store(false);
  if (running_.load()) ResetEvent(wake_);
  reader_ = std::thread([this, number] { UsbReadThreadProc(number); });
}

void PortLayer::StopUsbReader() {
  readerStop_.store(true);
  SetEvent(wake_);
  if (reader_.joinable()) reader_.join();
}

namespace {

// One overlapped read of up to 32 bytes at a time. A read that is still
// pending when a pass times out stays pending into the next pass, so no byte
// the device delivers is lost; at the end it is cancelled and waited for, so
// the system never writes into the buffer after the thread has left.
class UsbReader {
 public:
  UsbReader() { overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  ~UsbReader() { CloseHandle(overlapped_.hEvent); }

  bool pending() const { return pendingOn_ != nullptr; }
  HANDLE event() const { return overlapped_.hEvent; }

  // Starts a read; returns the bytes that arrived at once (none if pending).
  // `failed` tells that the device refused the read.
  std::span<const uint8_t> Start(HANDLE handle, bool& failed) {
    overlapped_ = OVERLAPPED{0, 0, {{0, 0}}, overlapped_.hEvent};
    ResetEvent(overlapped_.hEvent);
    failed = false;
    if (!ReadFile(handle, bytes_.data(), static_cast<DWORD>(bytes_.size()), nullptr, &overlapped_)) {
      if (GetLastError() == ERROR_IO_PENDING) {
        pendingOn_ = handle;
        return {};
      }
      failed = true;
    }
    return std::span(bytes_).first(static_cast<size_t>(overlapped_.InternalHigh));
  }

  // The bytes of the pending read that has completed.
  std::span<const uint8_t> Complete() { return Finish(FALSE); }

  // Cancels the pending read and returns what it had received.
  std::span<const uint8_t> Cancel() {
    CancelIo(pendingOn_);
    return Finish(TRUE);
  }

 private:
  std::span<const uint8_t> Finish(BOOL wait) {
    DWORD count = 0;
    GetOverlappedResult(pendingOn_, &overlapped_, &count, wait);
    pendingOn_ = nullptr;
    return std::span(bytes_).first(std::min<size_t>(count, bytes_.size()));
  }

  OVERLAPPED overlapped_{};
  std::array<uint8_t, 32> bytes_{};
  HANDLE pendingOn_ = nullptr;
};

}  // namespace

int PortLayer::UsbReadThreadProc(int number) {
  receive_.Clear();
  UsbReader reader;
  int result = 0;
  while (ReaderShouldRun()) {
    const std::optional<UsbLinkRecord> record = usbLinks_.Find(number);
    if (!reader.pending()) {
      if (!record || !Valid(record->read)) {
        WaitForSingleObject(wake_, 50);  // no link (a failed open): wait for the end
        continue;
      }
      bool failed = false;
      receive_.Append(reader.Start(record->read, failed));
      if (failed) WaitForSingleObject(wake_, kReplyPollMs);  // a refusing device must not spin the thread
      continue;
    }
    const HANDLE waits[] = {reader.event(), wake_};
    const DWORD waited = WaitForMultipleObjects(2, waits, FALSE, record ? record->readTimeoutMs : 2000);
    if (waited == WAIT_OBJECT_0) {
      receive_.Append(reader.Complete());
    } else if (waited != WAIT_OBJECT_0 + 1 && waited != WAIT_TIMEOUT) {
      result = -1;
      break;
    }
  }
  if (reader.pending()) receive_.Append(reader.Cancel());
  return result;
}

}  // namespace fwflash
