// The echo-verified firmware upgrade: three commands whose replies must echo
// the file, the payload and checksum as a plain stream of chunks, the final
// echo of the checksum, progress values and one result code per failure.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "fwflash/FirmwareFile.h"

namespace fwflash {

using Reply = std::array<uint8_t, 4>;

// What the upgrade needs of a link to the printer.
class FirmwarePort {
 public:
  virtual ~FirmwarePort() = default;
  virtual bool Open() = 0;
  // True only when every byte was written.
  virtual bool Send(std::span<const uint8_t> bytes) = 0;
  // Reads one reply into `reply`. A short reply fills only the first bytes;
  // the others keep the values they had.
  virtual bool ReceiveReply(Reply& reply) = 0;
  // Called once at the end of every upgrade, also when Open failed.
  virtual void Close() = 0;
};

// The result codes shown to the user; Success is not a code.
enum class UpgradeResult : int {
  Success = 100,
  OpenFailed = -1,
  AnnounceSendFailed = 0,
  AnnounceNoReply = 1,
  AnnounceBadEcho = 2,
  LengthSendFailed = 10,
  LengthNoReply = 11,
  LengthBadEcho = 12,
  StartSendFailed = 20,
  DataSendFailed = 21,
  DataNoReply = 22,
  DataBadChecksum = 23,
};

// "Sucesso na Atualização !" or "Falha na Atualização: NN!" (UTF-8).
std::string UpgradeMessage(UpgradeResult result);

inline constexpr size_t kChunkSize = 2048;

// 1F 1B 1F 00 00 01 F0 00 and file bytes 0..3.
std::vector<uint8_t> AnnounceCommand(const FirmwareImage& image);
// 1F 1B 1F 00 00 01 F0 01 and file bytes 4..7.
std::vector<uint8_t> LengthCommand(const FirmwareImage& image);
// 1F 1B 1F 00 00 01 F0 02.
std::vector<uint8_t> StartDataCommand();

// Length of the chunk that starts at `offset` (< total) of `total` bytes.
size_t ChunkLengthAt(uint64_t offset, uint64_t total);
// Lengths of the chunks that carry `total` bytes: 2048 each, the last the rest.
std::vector<size_t> ChunkLengths(uint64_t total);

// Progress after the chunk that starts at `offset` of a payload of
// `payloadLength` bytes: 15 + ((offset * 100 / N) * 70 / 100), in 64-bit
// arithmetic so no accepted size overflows. Values run from 15 to 85.
int ProgressAfterChunk(uint64_t offset, uint32_t payloadLength);

// Runs the whole upgrade over `port` and reports progress (5, 10, 15, one
// value per chunk, 100 on success) through `progress`. Stops at the first
// failure and closes the port in every case.
UpgradeResult RunUpgrade(const FirmwareImage& image, FirmwarePort& port, const std::function<void(int)>& progress);

}  // namespace fwflash
