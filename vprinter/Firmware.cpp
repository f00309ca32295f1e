// The firmware upgrade as the printer sees it, one byte stream at a time.
#include "vprinter/Firmware.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>

namespace vprinter {
namespace {

constexpr std::uint8_t kPrefix[] = {0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0};
constexpr size_t kPrefixSize = sizeof kPrefix;

std::uint32_t Le32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The first firmware-<n>.fmw not yet in `dir`.
std::string NextImagePath(const std::string& dir) {
  for (int n = 1;; ++n) {
    const std::string path = dir + "/firmware-" + std::to_string(n) + ".fmw";
    if (!std::ifstream(path)) return path;
  }
}

}  // namespace

std::optional<FirmwareFault> ParseFirmwareFault(const std::string& text) {
  using K = FirmwareFaultKind;
  const std::pair<const char*, K> named[] = {
      {"c1-echo", K::WrongAnnounceEcho}, {"c2-echo", K::WrongLengthEcho},   {"end-echo", K::WrongChecksumEcho},
      {"c1-silent", K::NoAnnounceReply}, {"c2-silent", K::NoLengthReply}, {"end-silent", K::NoChecksumReply},
  };
  for (const auto& [name, kind] : named) {
    if (text == name) return FirmwareFault{kind, 0};
  }
  const std::string close = "close-after:";
  if (text.rfind(close, 0) != 0) return std::nullopt;
  std::uint64_t count = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data() + close.size(), end, count);
  if (error != std::errc() || stop != end || stop == text.data() + close.size()) return std::nullopt;
  return FirmwareFault{K::CloseAfterData, count};
}

FirmwareHandler::FirmwareHandler(FirmwareFault fault, std::string imageDir, escpos::EventLog& log)
    : fault_(fault), imageDir_(std::move(imageDir)), log_(log) {}

std::vector<std::uint8_t> FirmwareHandler::OnBytes(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> reply;
  if (hungUp_) return reply;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  size_t before;
  Phase phase;
  do {
    before = pending_.size();
    phase = phase_;
    Step(reply);
  } while (!hungUp_ && !pending_.empty() && (pending_.size() != before || phase_ != phase));
  return reply;
}

void FirmwareHandler::Step(std::vector<std::uint8_t>& reply) {
  using K = FirmwareFaultKind;
  std::vector<std::uint8_t> command;
  switch (phase_) {
    case Phase::Announce:
      if (!TakeCommand(0x00, 12, command)) return;
      image_.assign(command.begin() + 8, command.end());
      Echo({command.data() + 8, 4}, fault_.kind == K::WrongAnnounceEcho, fault_.kind == K::NoAnnounceReply, reply);
      phase_ = Phase::Length;
      return;
    case Phase::Length:
      if (!TakeCommand(0x01, 12, command)) return;
      if (Le32(command.data() + 8) > kMaxFirmwareBytes) {
        // the first is noted, the rest counted: a stream of them must not fill the log
        if (refused_++ == 0) {
          log_.Note("firmware length " + std::to_string(Le32(command.data() + 8)) +
                    " bytes is over the 1 GiB a firmware file can have: refused, no echo");
        }
        phase_ = Phase::Announce;
        return;
      }
      image_.insert(image_.end(), command.begin() + 8, command.end());
      dataWanted_ = std::uint64_t{Le32(command.data() + 8)} + 4;
      dataTaken_ = 0;
      Echo({command.data() + 8, 4}, fault_.kind == K::WrongLengthEcho, fault_.kind == K::NoLengthReply, reply);
      phase_ = Phase::Start;
      return;
    case Phase::Start:
      if (TakeCommand(0x02, 8, command)) phase_ = Phase::Data;
      return;
    case Phase::Data:
      TakeData(reply);
      return;
  }
}

bool FirmwareHandler::TakeCommand(uint8_t code, size_t size, std::vector<std::uint8_t>& command) {
  // skip anything before the next command prefix, keeping a tail that may
  // be the start of one
  auto start = std::search(pending_.begin(), pending_.end(), std::begin(kPrefix), std::end(kPrefix));
  if (start == pending_.end()) start = pending_.end() - static_cast<std::ptrdiff_t>(std::min(pending_.size(), kPrefixSize - 1));
  pending_.erase(pending_.begin(), start);
  if (pending_.size() <= kPrefixSize) return false;
  if (pending_[kPrefixSize] != code) {
    if (pending_[kPrefixSize] == 0x00) {
      phase_ = Phase::Announce;  // the updater gave up and starts over
    } else {
      // another command: look for the next prefix (one cannot start inside this one)
      pending_.erase(pending_.begin(), pending_.begin() + kPrefixSize);
    }
    return false;
  }
  if (pending_.size() < size) return false;
  command.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
  return true;
}

void FirmwareHandler::TakeData(std::vector<std::uint8_t>& reply) {
  using K = FirmwareFaultKind;
  std::uint64_t take = std::min<std::uint64_t>(dataWanted_ - dataTaken_, pending_.size());
  if (fault_.kind == K::CloseAfterData) take = std::min(take, fault_.closeAfter - std::min(fault_.closeAfter, dataTaken_));
  image_.insert(image_.end(), pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(take));
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(take));
  dataTaken_ += take;
  if (fault_.kind == K::CloseAfterData && dataTaken_ >= fault_.closeAfter) {
    hungUp_ = true;
    return;
  }
  if (dataTaken_ < dataWanted_) return;
  SaveImage();
  Echo({image_.data() + image_.size() - 4, 4}, fault_.kind == K::WrongChecksumEcho, fault_.kind == K::NoChecksumReply,
       reply);
  phase_ = Phase::Announce;  // ready for the next upgrade on the same link
}

void FirmwareHandler::OnClose() {
  if (refused_ > 1) log_.Note("firmware lengths over 1 GiB refused after the first: " + std::to_string(refused_ - 1));
}

void FirmwareHandler::Echo(std::span<const std::uint8_t> bytes, bool wrong, bool silent,
                           std::vector<std::uint8_t>& reply) {
  if (silent) return;
  const size_t at = reply.size();
  reply.insert(reply.end(), bytes.begin(), bytes.end());
  if (wrong) reply[at] ^= 0xFF;
}

void FirmwareHandler::SaveImage() {
  const std::string path = NextImagePath(imageDir_);
  {
    std::ofstream out(path + ".tmp", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image_.data()), static_cast<std::streamsize>(image_.size()));
  }
  std::rename((path + ".tmp").c_str(), path.c_str());
}

}  // namespace vprinter
