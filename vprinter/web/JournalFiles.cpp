// Firmware images, control files and downloads in the journal folder.
#include "vprinter/web/JournalFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "vprinter/web/Access.h"

namespace vprinter::web {
namespace {

std::string Hex(const unsigned char* bytes, size_t count) {
  std::string text;
  char pair[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, i ? " %02X" : "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

int Number(const std::string& name) { return std::atoi(name.c_str() + std::strlen("firmware-")); }

// Signature, announced length (little-endian) and checksum: the image holds
// them as the updater sent them, around its data.
FirmwareImage ReadImage(const std::string& dir, const std::string& name) {
  FirmwareImage image;
  image.name = name;
  std::ifstream file(dir + "/" + name, std::ios::binary | std::ios::ate);
  const std::streamoff size = file.tellg();
  if (size < 12) return image;
  image.bytes = static_cast<std::uint64_t>(size);
  unsigned char head[8], tail[4];
  file.seekg(0);
  file.read(reinterpret_cast<char*>(head), sizeof head);
  file.seekg(size - 4);
  file.read(reinterpret_cast<char*>(tail), sizeof tail);
  if (!file) return image;
  image.signature = Hex(head, 4);
  image.length = head[4] | head[5] << 8 | head[6] << 16 | std::uint64_t{head[7]} << 24;
  image.checksum = Hex(tail, 4);
  return image;
}

}  // namespace

std::vector<FirmwareImage> ScanFirmware(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* folder = opendir(dir.c_str())) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.starts_with("firmware-") && JournalFileType(name)) names.push_back(name);
    }
    closedir(folder);
  }
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return Number(a) > Number(b); });
  std::vector<FirmwareImage> images;
  for (const std::string& name : names) images.push_back(ReadImage(dir, name));
  return images;
}

bool WriteControl(const std::string& dir, const std::string& name, const std::string& text, std::string& error) {
  const std::string path = dir + "/" + name, temporary = path + ".web-new";
  std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

int OpenJournalFile(const std::string& dir, const std::string& name, std::uint64_t& size) {
  const int fd = open((dir + "/" + name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
  }
  if (fd >= 0) close(fd);
  return -1;
}

}  // namespace vprinter::web
