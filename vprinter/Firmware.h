// The printer's side of the firmware upgrade: echo the announce and length
// commands, take the payload and checksum, echo the checksum it received, and
// keep the image for tests. Fault switches make it answer wrongly, stay
// silent or hang up.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "vprinter/Handler.h"

namespace vprinter {

// The longest image taken: the kit's firmware files are at most 1 GiB, and a
// length beyond that is refused rather than kept in memory.
constexpr std::uint64_t kMaxFirmwareBytes = 1ull << 30;

enum class FirmwareFaultKind {
  None,
  WrongAnnounceEcho,  // "c1-echo"
  WrongLengthEcho,    // "c2-echo"
  WrongChecksumEcho,  // "end-echo"
  NoAnnounceReply,    // "c1-silent"
  NoLengthReply,      // "c2-silent"
  NoChecksumReply,    // "end-silent"
  CloseAfterData,     // "close-after:K"
};

struct FirmwareFault {
  FirmwareFaultKind kind = FirmwareFaultKind::None;
  std::uint64_t closeAfter = 0;  // data bytes taken before hanging up
};

// "c1-echo", ..., "close-after:K"; nullopt for anything else.
std::optional<FirmwareFault> ParseFirmwareFault(const std::string& text);

class FirmwareHandler : public ConnectionHandler {
 public:
  // Each completed image goes to `imageDir`/firmware-<n>.fmw, the first n
  // from 1 not taken yet.
  // `log` hears of lengths it refuses.
  FirmwareHandler(FirmwareFault fault, std::string imageDir, escpos::EventLog& log);
  std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t> bytes) override;
  bool WantsClose() const override { return hungUp_; }
  void OnClose() override;

 private:
  enum class Phase { Announce, Length, Start, Data };
  // Takes a whole command of `size` bytes whose 8th byte is `code`; bytes
  // before a command's prefix are skipped.
  bool TakeCommand(uint8_t code, size_t size, std::vector<std::uint8_t>& command);
  void Step(std::vector<std::uint8_t>& reply);
  void TakeData(std::vector<std::uint8_t>& reply);
  void Echo(std::span<const std::uint8_t> bytes, bool wrong, bool silent, std::vector<std::uint8_t>& reply);
  void SaveImage();

  FirmwareFault fault_;
  std::string imageDir_;
  Phase phase_ = Phase::Announce;
  escpos::EventLog& log_;
  std::deque<std::uint8_t> pending_;  // taken from the front a command at a time
  std::vector<std::uint8_t> image_;  // signature, length, then the data as received
  std::uint64_t dataWanted_ = 0;
  std::uint64_t dataTaken_ = 0;
  bool hungUp_ = false;
  std::uint64_t refused_ = 0;  // lengths over kMaxFirmwareBytes
};

}  // namespace vprinter
