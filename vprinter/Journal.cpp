// Journal lines and connection files, each write straight to the file.
#include "vprinter/Journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "vprinter/Watcher.h"

namespace vprinter {
namespace {

void WriteAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
}

bool HasForm(const std::string& name, const std::string& prefix, const std::string& suffix) {
  return name.size() > prefix.size() + suffix.size() && name.rfind(prefix, 0) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsOurs(const std::string& name) {
  return name == "journal.txt" || name == "ready" || name == "stop" || name == "printer.log" ||
         name == "conditions" || name == "status-reply" || name == "discovery" || name == "web" || HasForm(name, "conn-", ".bin") || HasForm(name, "receipt-", ".png") ||
         HasForm(name, "receipt-", ".txt");
}

// mkdir -p: the folder and any missing parents.
bool MakeDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

Journal::Journal(std::string dir) : dir_(std::move(dir)) {}

Journal::~Journal() {
  for (const auto& [id, fd] : files_) close(fd);
  if (journal_ >= 0) close(journal_);
}

std::string Journal::Path(std::string_view name) const { return dir_ + "/" + std::string(name); }

bool Journal::Open(std::string& error) {
  if (!MakeDirectories(dir_)) {
    error = "cannot create " + dir_ + ": " + std::strerror(errno);
    return false;
  }
  if (DIR* dir = opendir(dir_.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (IsOurs(entry->d_name)) unlink(Path(entry->d_name).c_str());
    }
    closedir(dir);
  }
  journal_ = open(Path("journal.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  if (journal_ < 0) {
    error = "cannot write " + Path("journal.txt") + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

long long Journal::Ms() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

void Journal::Line(const std::string& line) {
  const std::string whole = line + "\n";
  WriteAll(journal_, whole.data(), whole.size());  // one write: readers never see half a line
}

void Journal::Ready(const std::vector<std::string>& sources) {
  std::string line = "ready " + std::to_string(Ms());
  for (const auto& source : sources) line += " " + source;
  Line(line);
  const int fd = open(Path("ready").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) close(fd);
}

void Journal::Opened(int id, std::string_view source, std::string_view peer) {
  const std::string name = "conn-" + std::to_string(id) + ".bin";
  files_[id] = open(Path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  std::string line = "open " + std::to_string(id) + " " + std::to_string(Ms()) + " " + std::string(source);
  if (!peer.empty()) line += " " + std::string(peer);
  Line(line);
  if (watcher_) watcher_->Opened(id, source, peer);
}

void Journal::Received(int id, std::span<const std::uint8_t> bytes) {
  const auto it = files_.find(id);
  if (it != files_.end() && it->second >= 0) WriteAll(it->second, bytes.data(), bytes.size());
  if (watcher_) watcher_->Received(id, bytes.size());
}

void Journal::Closed(int id, std::uint64_t bytes) {
  const auto it = files_.find(id);
  if (it != files_.end()) {
    if (it->second >= 0) close(it->second);
    files_.erase(it);
  }
  Line("close " + std::to_string(id) + " " + std::to_string(Ms()) + " " + std::to_string(bytes));
  if (watcher_) watcher_->Closed(id, bytes);
}

void Journal::Stopped(std::string_view reason) { Line("stop " + std::to_string(Ms()) + " " + std::string(reason)); }

bool Journal::StopRequested() const {
  struct stat info;
  return stat(Path("stop").c_str(), &info) == 0;
}

}  // namespace vprinter
