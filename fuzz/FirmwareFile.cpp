// Fuzzes the firmware file check: the input is the ".fmw" file, checked by
// streaming from disk, loaded for an upgrade and checked in memory.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "fuzz/Check.h"
#include "fwflash/FirmwareFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using fuzz::Check;

uint64_t Le32(const Bytes& file, size_t at) {
  uint64_t value = 0;
  for (size_t i = 4; i-- > 0;) value = value * 256 + file[at + i];
  return value;
}

void PutLe32(Bytes& file, size_t at, uint64_t value) {
  for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t PayloadSum(const Bytes& file) {
  uint64_t sum = 0;
  for (size_t i = 8; i + 4 < file.size(); ++i) sum += file[i];
  return sum % (uint64_t{1} << 32);
}

// The file format as written down: an accepted size, "Tav", the payload length
// L - 12 and the payload's sum modulo 2^32 in the last four bytes.
bool ReferenceValid(const Bytes& file) {
  const uint64_t size = file.size();
  if (size < 4096 || size > (uint64_t{1} << 30)) return false;
  if (file[0] != 'T' || file[1] != 'a' || file[2] != 'v') return false;
  return Le32(file, 4) == size - 12 && Le32(file, size - 4) == PayloadSum(file);
}

// One file per fuzzing process, in TMPDIR.
const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("firmware-fuzz-" + std::to_string(getpid()) + ".fmw");
  return path;
}

void WriteFile(const Bytes& file) {
  std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  Check(out.flush().good(), "the scratch file is written");
}

bool Equal(std::span<const uint8_t> part, const Bytes& file, size_t at, size_t length) {
  return part.size() == length && std::equal(part.begin(), part.end(), file.begin() + static_cast<ptrdiff_t>(at));
}

// An image holds exactly the file, and its parts are where the format puts them.
void CheckImage(const fwflash::FirmwareImage& image, const Bytes& file) {
  const size_t size = file.size();
  Check(Equal(image.bytes(), file, 0, size), "the image is the file");
  Check(image.payloadLength() == size - 12, "the payload length is the file's less 12");
  Check(Equal(image.signature(), file, 0, 4) && Equal(image.lengthField(), file, 4, 4) &&
            Equal(image.payloadAndChecksum(), file, 8, size - 8) && Equal(image.checksum(), file, size - 4, 4),
        "the image's parts lie where the format puts them");
}

// The streaming check, the load for an upgrade and the in-memory check all
// agree with the reference; the in-memory check gets a buffer of exactly the
// file's size, so a read past it is an AddressSanitizer finding.
void CheckFile(const Bytes& file) {
  const bool valid = ReferenceValid(file);
  WriteFile(file);
  Check(fwflash::IsValidFirmwareFile(ScratchFile()) == valid, "the streaming check agrees with the reference");

  const fwflash::LoadedImage loaded = fwflash::LoadFirmwareImage(ScratchFile());
  Check(loaded.status == (valid ? fwflash::LoadStatus::Loaded : fwflash::LoadStatus::Invalid),
        "the load agrees with the reference");
  Check(loaded.image.has_value() == valid, "a load has an image exactly when loaded");
  if (loaded.image) CheckImage(*loaded.image, file);

  const auto image = fwflash::FirmwareImage::FromBytes(Bytes(file));
  Check(image.has_value() == valid, "the in-memory check agrees with the reference");
  if (image) CheckImage(*image, file);
}

}  // namespace

// Each input is checked as it is, then with its checksum made right, then
// with signature, length and checksum made right: random mutations rarely fix
// a sum, and so the checks behind the header and the sum are reached too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes file(data, data + size);
  CheckFile(file);
  if (file.size() < 12) return 0;
  PutLe32(file, file.size() - 4, PayloadSum(file));
  CheckFile(file);
  file[0] = 'T';
  file[1] = 'a';
  file[2] = 'v';
  PutLe32(file, 4, file.size() - 12);
  CheckFile(file);
  return 0;
}
