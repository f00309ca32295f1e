// Choosing a connection's behaviour; the printing and status connections.
#include "vprinter/Handler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "vprinter/Firmware.h"
#include "vprinter/escpos/ConfigFrame.h"

namespace vprinter {
namespace {

constexpr std::uint8_t kStatusRequest[] = {0x1B, 0x76, 0x00};

// True while `pending` could still become a status request.
bool StartsStatusRequest(const std::vector<std::uint8_t>& pending) {
  return std::equal(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(pending.size(), 3)),
                    kStatusRequest);
}

}  // namespace

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::vector<std::uint8_t> PrintHandler::OnBytes(std::span<const std::uint8_t> bytes) {
  printer_.Receive(bytes, Now());
  return {};
}

std::vector<std::uint8_t> StatusHandler::OnBytes(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> reply;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  size_t used = 1;
  while (!pending_.empty() && used > 0) {
    used = 0;
    if (StartsStatusRequest(pending_)) {
      if (pending_.size() < 3) break;
      const auto answer = printer_.StatusAnswer();
      reply.insert(reply.end(), answer.begin(), answer.end());
      used = 3;
    } else if (escpos::StartsFrame(pending_)) {
      const escpos::FrameResult result = escpos::TakeFrame(pending_, printer_.settings());
      if (result.used > 0) log_.Note("status port: configuration: " + result.note);
      used = result.used;
    } else if (pending_[0] == 0x00) {
      used = 1;  // the NUL some frames end with
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%02X", pending_[0]);
      log_.Note(std::string("status port: unknown byte ") + hex + " dropped");
      used = 1;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
  }
  return reply;
}

std::unique_ptr<ConnectionHandler> MakeHandler(const Options& options, const std::string&, bool statusPort,
                                               Printer& printer, escpos::EventLog& log) {
  if (statusPort) return std::make_unique<StatusHandler>(printer, log);
  if (options.firmware) {
    return std::make_unique<FirmwareHandler>(ParseFirmwareFault(options.firmwareFault).value_or(FirmwareFault{}),
                                             options.journalDir);
  }
  return std::make_unique<PrintHandler>(printer);
}

}  // namespace vprinter
