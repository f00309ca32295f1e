// Builds firmware files for tests, written out from the file layout rather
// than with the code under test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fwtest {

inline void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// "Tav", `freeByte`, N, the payload, the sum of the payload bytes.
inline std::vector<uint8_t> MakeFirmware(const std::vector<uint8_t>& payload, uint8_t freeByte = 0x00) {
  std::vector<uint8_t> file(12 + payload.size());
  file[0] = 'T';
  file[1] = 'a';
  file[2] = 'v';
  file[3] = freeByte;
  PutLe32(file, 4, static_cast<uint32_t>(payload.size()));
  uint32_t sum = 0;
  for (size_t i = 0; i < payload.size(); ++i) {
    file[8 + i] = payload[i];
    sum += payload[i];
  }
  PutLe32(file, 8 + payload.size(), sum);
  return file;
}

// A payload of `length` bytes counting 0, 1, 2, ... (mod 256) from `seed`.
inline std::vector<uint8_t> Counting(size_t length, uint8_t seed = 0) {
  std::vector<uint8_t> payload(length);
  for (size_t i = 0; i < length; ++i) payload[i] = static_cast<uint8_t>(seed + i);
  return payload;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace fwtest
