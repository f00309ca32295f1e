// The firmware file (".fmw") and its check: a signature, the payload length,
// the payload and a 32-bit sum of the payload, all little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace fwflash {

// File layout: "Tav", one free byte, N (4 bytes), N payload bytes, checksum (4 bytes).
inline constexpr size_t kHeaderSize = 8;
inline constexpr size_t kChecksumSize = 4;
inline constexpr uint64_t kMinFileSize = 4096;
inline constexpr uint64_t kMaxFileSize = 1ull << 30;

// Reads the unsigned little-endian 32-bit value at `bytes[0..3]`.
uint32_t ReadLe32(const uint8_t* bytes);

// True when the file at `path` exists, is not a directory and holds a valid
// firmware image of an accepted size. Reads the file in small blocks, so even
// a file of the largest accepted size never sits in memory.
bool IsValidFirmwareFile(const std::filesystem::path& path);

// A firmware file held in memory, valid by construction: the upgrade sends
// from it and never reads outside it.
class FirmwareImage {
 public:
  // The image when `bytes` is a valid firmware file, nullopt otherwise.
  static std::optional<FirmwareImage> FromBytes(std::vector<uint8_t> bytes);

  std::span<const uint8_t> bytes() const { return bytes_; }
  uint32_t payloadLength() const { return ReadLe32(bytes_.data() + 4); }
  std::span<const uint8_t> signature() const { return bytes().first(4); }  // byte 3 too
  std::span<const uint8_t> lengthField() const { return bytes().subspan(4, 4); }
  std::span<const uint8_t> payloadAndChecksum() const { return bytes().subspan(kHeaderSize); }
  std::span<const uint8_t> checksum() const { return bytes().last(kChecksumSize); }

 private:
  explicit FirmwareImage(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::vector<uint8_t> bytes_;
};

enum class LoadStatus { Loaded, Invalid, OutOfMemory };

struct LoadedImage {
  LoadStatus status = LoadStatus::Invalid;
  std::optional<FirmwareImage> image;  // set when Loaded
};

// Reads the whole file for an upgrade and checks what was read, so the bytes
// sent are the bytes checked even if the file changed since its last check.
// A file too large for this process's memory gives OutOfMemory, not a crash.
LoadedImage LoadFirmwareImage(const std::filesystem::path& path);

}  // namespace fwflash
