// The upgrade sequence over any FirmwarePort.
#include "fwflash/Upgrade.h"

#include <algorithm>
#include <cstdio>

namespace fwflash {
namespace {

// 1F 1B 1F 00 00 01 F0, the command code, then its argument.
std::vector<uint8_t> Command(uint8_t code, std::span<const uint8_t> argument) {
  constexpr uint8_t kPrefix[] = {0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0};
  std::vector<uint8_t> bytes(sizeof kPrefix + 1 + argument.size());
  std::copy(std::begin(kPrefix), std::end(kPrefix), bytes.begin());
  bytes[sizeof kPrefix] = code;
  std::copy(argument.begin(), argument.end(), bytes.begin() + sizeof kPrefix + 1);
  return bytes;
}

bool Echoes(const Reply& reply, std::span<const uint8_t> expected) {
  return std::equal(reply.begin(), reply.end(), expected.begin(), expected.end());
}

// One command and the reply that must echo `expected`.
UpgradeResult Exchange(FirmwarePort& port, std::span<const uint8_t> command, std::span<const uint8_t> expected,
                       Reply& reply, UpgradeResult sendFailed) {
  const int base = static_cast<int>(sendFailed);
  if (!port.Send(command)) return sendFailed;
  if (!port.ReceiveReply(reply)) return static_cast<UpgradeResult>(base + 1);
  if (!Echoes(reply, expected)) return static_cast<UpgradeResult>(base + 2);
  return UpgradeResult::Success;
}

// The payload and checksum as a stream of chunks, no reply between them.
bool SendData(const FirmwareImage& image, FirmwarePort& port, const std::function<void(int)>& progress) {
  const std::span<const uint8_t> data = image.payloadAndChecksum();
  for (size_t offset = 0; offset < data.size();) {
    const size_t length = ChunkLengthAt(offset, data.size());
    if (!port.Send(data.subspan(offset, length))) return false;
    progress(ProgressAfterChunk(offset, image.payloadLength()));
    offset += length;
  }
  return true;
}

UpgradeResult Sequence(const FirmwareImage& image, FirmwarePort& port, const std::function<void(int)>& progress) {
  Reply reply{};
  if (!port.Open()) return UpgradeResult::OpenFailed;
  progress(5);
  UpgradeResult result = Exchange(port, AnnounceCommand(image), image.signature(), reply,
                                  UpgradeResult::AnnounceSendFailed);
  if (result != UpgradeResult::Success) return result;
  progress(10);
  result = Exchange(port, LengthCommand(image), image.lengthField(), reply, UpgradeResult::LengthSendFailed);
  if (result != UpgradeResult::Success) return result;
  progress(15);
  if (!port.Send(StartDataCommand())) return UpgradeResult::StartSendFailed;
  if (!SendData(image, port, progress)) return UpgradeResult::DataSendFailed;
  if (!port.ReceiveReply(reply)) return UpgradeResult::DataNoReply;
  if (!Echoes(reply, image.checksum())) return UpgradeResult::DataBadChecksum;
  progress(100);
  return UpgradeResult::Success;
}

}  // namespace

std::string UpgradeMessage(UpgradeResult result) {
  if (result == UpgradeResult::Success) return "Sucesso na Atualização !";
  char text[64];
  std::snprintf(text, sizeof text, "Falha na Atualização: %02d!", static_cast<int>(result));
  return text;
}

std::vector<uint8_t> AnnounceCommand(const FirmwareImage& image) { return Command(0x00, image.signature()); }

std::vector<uint8_t> LengthCommand(const FirmwareImage& image) { return Command(0x01, image.lengthField()); }

std::vector<uint8_t> StartDataCommand() { return Command(0x02, {}); }

size_t ChunkLengthAt(uint64_t offset, uint64_t total) {
  return offset + kChunkSize < total ? kChunkSize : static_cast<size_t>(total - offset);
}

std::vector<size_t> ChunkLengths(uint64_t total) {
  std::vector<size_t> lengths;
  for (uint64_t offset = 0; offset < total; offset += lengths.back()) lengths.push_back(ChunkLengthAt(offset, total));
  return lengths;
}

int ProgressAfterChunk(uint64_t offset, uint32_t payloadLength) {
  return static_cast<int>(15 + (offset * 100 / payloadLength) * 70 / 100);
}

UpgradeResult RunUpgrade(const FirmwareImage& image, FirmwarePort& port, const std::function<void(int)>& progress) {
  const UpgradeResult result = Sequence(image, port, progress);
  port.Close();
  return result;
}

}  // namespace fwflash
