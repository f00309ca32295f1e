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

constexpr size_t kUnknownShown = 16;  // bytes of an unknown run shown in its note

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
  return printer_.Receive(bytes, Now(), automatic_);
}

std::vector<std::uint8_t> StatusHandler::OnBytes(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> reply;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  size_t at = 0;
  for (size_t used = 1; at < pending_.size() && used > 0; at += used) {
    used = Take(std::span(pending_).subspan(at), reply);
  }
  // what is taken goes at once, not a byte at a time
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
  FlushUnknown();
  return reply;
}

size_t StatusHandler::Take(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& reply) {
  const std::vector<std::uint8_t> front(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(in.size(), 3)));
  if (StartsStatusRequest(front)) {
    if (in.size() < 3) return 0;
    FlushUnknown();
    const auto answer = printer_.StatusAnswer();
    reply.insert(reply.end(), answer.begin(), answer.end());
    return 3;
  }
  if (escpos::StartsFrame(in)) {
    const escpos::FrameResult result = escpos::TakeFrame(in, printer_.settings());
    if (result.used > 0) {
      FlushUnknown();
      log_.Note("status port: configuration: " + result.note);
    }
    return result.used;
  }
  if (in[0] != 0x00) {  // not the NUL some frames end with
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", in[0]);
    if (unknown_++ < kUnknownShown) unknownHex_ += hex;
  }
  return 1;
}

// A run of unknown bytes makes one note.
void StatusHandler::FlushUnknown() {
  if (unknown_ == 0) return;
  unknownHex_.pop_back();
  log_.Note("status port: " + std::to_string(unknown_) + " unknown bytes dropped: " + unknownHex_ +
            (unknown_ > kUnknownShown ? " ..." : ""));
  unknown_ = 0;
  unknownHex_.clear();
}

std::unique_ptr<ConnectionHandler> MakeHandler(const Options& options, const std::string&, bool statusPort,
                                               Printer& printer, escpos::EventLog& log) {
  if (statusPort) return std::make_unique<StatusHandler>(printer, log);
  if (options.firmware) {
    return std::make_unique<FirmwareHandler>(ParseFirmwareFault(options.firmwareFault).value_or(FirmwareFault{}),
                                             options.journalDir, log);
  }
  return std::make_unique<PrintHandler>(printer);
}

}  // namespace vprinter
