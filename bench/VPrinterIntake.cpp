// vprinter's intake rate: 8 MiB of receipts sent over loopback TCP to its
// print port, a stream of text and a stream of raster images, timed from the
// connect to the close line in its journal (every byte read, interpreted and
// its receipts written), against a plain socket copy of the same bytes to a
// reader that only reads, in the same run. Run inside scripts/netns-run;
// prints MiB/s of both and their ratio.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "vprinter/JournalEvents.h"

namespace {

constexpr size_t kStreamBytes = 8u << 20;
constexpr int kRounds = 3;

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  return address;
}

bool SendAll(const sockaddr_in& to, const std::string& bytes) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
  for (size_t at = 0; ok && at < bytes.size();) {
    const ssize_t n = send(fd, bytes.data() + at, std::min<size_t>(bytes.size() - at, 1 << 20), MSG_NOSIGNAL);
    ok = n > 0;
    at += ok ? static_cast<size_t>(n) : 0;
  }
  close(fd);
  return ok;
}

// Receipt lines with a cut every 100 lines, to kStreamBytes.
std::string TextStream() {
  std::string bytes;
  for (int line = 1; bytes.size() < kStreamBytes; ++line) {
    char text[64];
    std::snprintf(text, sizeof text, "%3d Item number %-10d %6d.%02d\n", line % 1000, line * 37, line % 997, line % 100);
    bytes += text;
    if (line % 100 == 0) bytes += "\x1dV\x01";
  }
  return bytes;
}

// 576 x 4000 GS v 0 images, each cut, to kStreamBytes.
std::string RasterStream() {
  std::string bytes;
  while (bytes.size() < kStreamBytes) {
    bytes += std::string("\x1dv0\0\x48\0\xa0\x0f", 8);
    for (int row = 0; row < 4000; ++row) {
      for (int b = 0; b < 72; ++b) bytes += static_cast<char>((row * 31 + b * 7) & 0xFF);
    }
    bytes += "\x1dV\x01";
  }
  return bytes;
}

// vprinter on a free loopback port, its journal in `dir`; its port in `port`.
pid_t StartPrinter(const std::string& dir, std::uint16_t& port) {
  const pid_t pid = fork();
  if (pid == 0) {
    execl(VPRINTER_BINARY, VPRINTER_BINARY, "--tcp", "127.0.0.1:0", "--journal", dir.c_str(), "--lifetime", "600",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 500 && !std::filesystem::exists(dir + "/ready"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  for (const auto& event : vprinter::ParseJournal(ReadText(dir + "/journal.txt"))) {
    if (event.kind == "ready" && !event.sources.empty()) {
      port = static_cast<std::uint16_t>(std::stoi(event.sources[0].substr(event.sources[0].rfind(':') + 1)));
    }
  }
  return pid;
}

size_t Closes(const std::string& dir) {
  const auto journal = vprinter::ParseJournal(ReadText(dir + "/journal.txt"));
  return static_cast<size_t>(std::count_if(journal.begin(), journal.end(), [](auto& e) { return e.kind == "close"; }));
}

// Seconds from the connect until vprinter journals the close of `bytes`.
double ToPrinter(const std::string& dir, std::uint16_t port, const std::string& bytes) {
  const size_t before = Closes(dir);
  const auto start = std::chrono::steady_clock::now();
  if (!SendAll(Loopback(port), bytes)) return -1;
  while (Closes(dir) == before) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds from the connect until a reader that only reads has every byte.
double PlainCopy(const std::string& bytes) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  std::thread reader([listener] {
    const int fd = accept(listener, nullptr, nullptr);
    std::vector<char> buffer(65536);
    while (read(fd, buffer.data(), buffer.size()) > 0) {
    }
    close(fd);
  });
  const auto start = std::chrono::steady_clock::now();
  SendAll(address, bytes);
  reader.join();
  close(listener);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  // vprinter journals every byte: on tmpfs, so the disk does not set the pace
  const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  const std::string dir = base / ("vprinter-intake-" + std::to_string(getpid()));
  std::uint16_t port = 0;
  const pid_t pid = StartPrinter(dir, port);
  std::printf("8 MiB streams over loopback TCP to vprinter, median of %d rounds\n", kRounds);
  for (const auto& [name, bytes] : {std::pair{"text", TextStream()}, {"raster", RasterStream()}}) {
    std::vector<double> printer, copy;
    for (int round = 0; round < kRounds; ++round) {
      printer.push_back(ToPrinter(dir, port, bytes));
      copy.push_back(PlainCopy(bytes));
    }
    const double mib = static_cast<double>(bytes.size()) / (1 << 20);
    const double printerRate = mib / Median(printer), copyRate = mib / Median(copy);
    std::printf("  %-7s vprinter %8.1f MiB/s   plain copy %8.1f MiB/s   ratio %8.5f\n", name, printerRate, copyRate,
                printerRate / copyRate);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  std::filesystem::remove_all(dir);
  return 0;
}
