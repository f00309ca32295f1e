// Checking firmware files by streaming, and loading them for an upgrade.
#include "fwflash/FirmwareFile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <new>
#include <system_error>

namespace fwflash {
namespace {

bool AcceptedSize(uint64_t length) { return length >= kMinFileSize && length <= kMaxFileSize; }

uint32_t Sum(const uint8_t* bytes, size_t count, uint32_t sum) {
  for (size_t i = 0; i < count; ++i) sum += bytes[i];
  return sum;
}

// Size of a regular file, nullopt when it is missing, a folder or unreadable.
std::optional<uint64_t> RegularFileSize(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || error) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

// Sums `count` bytes from `in` in blocks; false when the file ends early.
bool StreamSum(std::istream& in, uint64_t count, uint32_t& sum) {
  std::array<char, 64 * 1024> block;
  while (count > 0) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(count, block.size()));
    if (!in.read(block.data(), static_cast<std::streamsize>(want))) return false;
    sum = Sum(reinterpret_cast<const uint8_t*>(block.data()), want, sum);
    count -= want;
  }
  return true;
}

bool ValidHeader(const uint8_t* header, uint64_t length) {
  return header[0] == 'T' && header[1] == 'a' && header[2] == 'v' && ReadLe32(header + 4) == length - 12;
}

}  // namespace

uint32_t ReadLe32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool IsValidFirmwareFile(const std::filesystem::path& path) {
  const std::optional<uint64_t> length = RegularFileSize(path);
  if (!length || !AcceptedSize(*length)) return false;
  std::ifstream in(path, std::ios::binary);
  std::array<uint8_t, kHeaderSize> header;
  if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
  if (!ValidHeader(header.data(), *length)) return false;
  uint32_t sum = 0;
  if (!StreamSum(in, *length - kHeaderSize - kChecksumSize, sum)) return false;
  std::array<uint8_t, kChecksumSize> stored;
  if (!in.read(reinterpret_cast<char*>(stored.data()), stored.size())) return false;
  return ReadLe32(stored.data()) == sum;
}

std::optional<FirmwareImage> FirmwareImage::FromBytes(std::vector<uint8_t> bytes) {
  const uint64_t length = bytes.size();
  if (!AcceptedSize(length) || !ValidHeader(bytes.data(), length)) return std::nullopt;
  const uint32_t sum = Sum(bytes.data() + kHeaderSize, bytes.size() - kHeaderSize - kChecksumSize, 0);
  if (ReadLe32(bytes.data() + bytes.size() - kChecksumSize) != sum) return std::nullopt;
  return FirmwareImage(std::move(bytes));
}

LoadedImage LoadFirmwareImage(const std::filesystem::path& path) {
  const std::optional<uint64_t> length = RegularFileSize(path);
  if (!length || !AcceptedSize(*length)) return {};
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(*length));
  } catch (const std::bad_alloc&) {
    return {LoadStatus::OutOfMemory, std::nullopt};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())) ||
      in.peek() != std::char_traits<char>::eof()) {
    return {};
  }
  std::optional<FirmwareImage> image = FirmwareImage::FromBytes(std::move(bytes));
  if (!image) return {};
  return {LoadStatus::Loaded, std::move(image)};
}

}  // namespace fwflash
