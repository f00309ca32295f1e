// Serial links: the port opened with a 3 s read time-out, a write time-out
// and 8N1 at the chosen rate and flow control, the receive queue purged
// before every write.
#include <algorithm>

#include "fwflash/win/PortLayer.h"

namespace fwflash {
namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void ApplyLineSettings(HANDLE port, uint32_t baud, ComFlow flow) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = baud;
  dcb.fBinary = TRUE;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.fParity = FALSE;
  dcb.StopBits = ONESTOPBIT;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fOutxCtsFlow = flow == ComFlow::Cts;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = flow == ComFlow::XonXoff;
  dcb.fInX = flow == ComFlow::XonXoff;
  if (flow == ComFlow::XonXoff) {
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
  }
  SetCommState(port, &dcb);  // a port that refuses a setting still carries bytes
}

// Twice the time of a byte's ten bits on the line, in whole milliseconds.
DWORD TwiceLineMsPerByte(uint32_t baud) { return (20000 + baud - 1) / std::max<uint32_t>(baud, 1); }

}  // namespace

int PortLayer::ComOpen(int portNumber, uint32_t baud, ComFlow flow) {
  const HANDLE port = CreateFileW(Wide(ComDeviceName(portNumber)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return -1;
  // a reply read returns after 4 bytes or 3 s; a write gives up when the
  // printer stops taking bytes, and the short count fails the send
  COMMTIMEOUTS timeouts{0, 0, 3000, TwiceLineMsPerByte(baud), stalledWriteMs_};
  SetCommTimeouts(port, &timeouts);
  ApplyLineSettings(port, baud, flow);
  return comLinks_.Add({"COM" + std::to_string(portNumber), port});
}

bool PortLayer::ComClose(int number) {
  const std::optional<ComLinkRecord> record = comLinks_.Remove(number);
  if (!record) return false;
  return CloseHandle(record->handle) != FALSE;
}

bool PortLayer::ComSend(std::span<const uint8_t> bytes) {
  const std::optional<ComLinkRecord> record = comLinks_.Find(linkNumber_.load());
  if (!record) return false;
  // Stale input must not pass for the next reply. The transmit queue is left
  // alone: purging it could throw away data chunks still on their way out.
  PurgeComm(record->handle, PURGE_RXCLEAR);
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(record->handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes = bytes.subspan(written);
  }
  return true;
}

bool PortLayer::ComReceive(Reply& reply) {
  const std::optional<ComLinkRecord> record = comLinks_.Find(linkNumber_.load());
  if (!record) return false;
  uint8_t bytes[4];
  DWORD count = 0;
  if (!ReadFile(record->handle, bytes, sizeof bytes, &count, nullptr) || count == 0) return false;
  std::copy_n(bytes, count, reply.begin());
  return true;
}

}  // namespace fwflash
