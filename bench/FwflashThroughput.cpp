// Upgrade throughput: a 16 MiB firmware image sent by fwflash's upgrade
// sequence over loopback TCP to vprinter's firmware mode, against a plain
// socket copy of the same bytes to the same printer in the same run.
// Run inside scripts/netns-run; prints MiB/s of both and their ratio.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
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

#include "fwflash/Upgrade.h"
#include "vprinter/JournalEvents.h"

namespace {

constexpr size_t kPayload = (16u << 20) - 12;
constexpr int kRounds = 15;

// fwflash's port interface over a POSIX TCP socket, as the Windows NET link
// does it: connect, whole writes, replies of up to four bytes.
class PosixTcpPort : public fwflash::FirmwarePort {
 public:
  explicit PosixTcpPort(sockaddr_in printer) : printer_(printer) {}
  bool Open() override {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    timeval timeout{3, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    return fd_ >= 0 && connect(fd_, reinterpret_cast<const sockaddr*>(&printer_), sizeof printer_) == 0;
  }
  bool Send(std::span<const uint8_t> bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n <= 0) return false;
      bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
  }
  bool ReceiveReply(fwflash::Reply& reply) override {
    uint8_t bytes[4];
    const ssize_t n = recv(fd_, bytes, sizeof bytes, 0);
    if (n <= 0) return false;
    std::copy_n(bytes, n, reply.begin());
    return true;
  }
  void Close() override {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  sockaddr_in printer_;
  int fd_ = -1;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Starts vprinter's firmware mode on a free loopback port; returns its pid
// and fills `printer` from its ready line.
pid_t StartPrinter(const std::string& dir, sockaddr_in& printer) {
  const pid_t pid = fork();
  if (pid == 0) {
    execl(VPRINTER_BINARY, VPRINTER_BINARY, "--tcp", "127.0.0.1:0", "--firmware", "--journal", dir.c_str(),
          "--lifetime", "600", static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 500 && !std::filesystem::exists(dir + "/ready"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  for (const auto& event : vprinter::ParseJournal(ReadText(dir + "/journal.txt"))) {
    if (event.kind != "ready" || event.sources.empty()) continue;
    const std::string source = event.sources[0];  // tcp:127.0.0.1:PORT
    printer = sockaddr_in{};
    printer.sin_family = AF_INET;
    printer.sin_port = htons(static_cast<uint16_t>(std::stoi(source.substr(source.rfind(':') + 1))));
    inet_pton(AF_INET, "127.0.0.1", &printer.sin_addr);
  }
  return pid;
}

// The same bytes the upgrade sends, written in large blocks, then the three replies.
bool PlainCopy(const sockaddr_in& printer, const std::vector<uint8_t>& wire) {
  PosixTcpPort port(printer);
  bool ok = port.Open();
  for (size_t at = 0; ok && at < wire.size(); at += 1 << 20) {
    ok = port.Send(std::span(wire).subspan(at, std::min<size_t>(1 << 20, wire.size() - at)));
  }
  for (int got = 0; ok && got < 12;) {
    fwflash::Reply reply{};
    ok = port.ReceiveReply(reply);
    got += 4;
  }
  port.Close();
  return ok;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename Body>
double Seconds(Body body) {
  const auto start = std::chrono::steady_clock::now();
  if (!body()) {
    std::fprintf(stderr, "fwflash_bench: a round failed\n");
    std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  std::vector<uint8_t> file(kPayload + 12);
  uint32_t sum = 0;
  for (size_t i = 0; i < kPayload; ++i) sum += file[8 + i] = static_cast<uint8_t>(i * 131 + 7);
  const uint8_t header[] = {'T', 'a', 'v', 0, static_cast<uint8_t>(kPayload), static_cast<uint8_t>(kPayload >> 8),
                            static_cast<uint8_t>(kPayload >> 16), static_cast<uint8_t>(kPayload >> 24)};
  std::copy(std::begin(header), std::end(header), file.begin());
  for (int i = 0; i < 4; ++i) file[8 + kPayload + i] = static_cast<uint8_t>(sum >> (8 * i));
  const auto image = fwflash::FirmwareImage::FromBytes(file);
  if (!image) return 1;
  std::vector<uint8_t> wire = fwflash::AnnounceCommand(*image);
  for (const auto& part : {fwflash::LengthCommand(*image), fwflash::StartDataCommand()}) wire.insert(wire.end(), part.begin(), part.end());
  wire.insert(wire.end(), file.begin() + 8, file.end());

  // vprinter journals every byte: on tmpfs, so the disk does not set the pace
  const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  const std::string dir = base / ("fwflash-bench-" + std::to_string(getpid()));
  sockaddr_in printer{};
  const pid_t pid = StartPrinter(dir, printer);
  std::vector<double> upgrade, copy;
  for (int round = 0; round < kRounds; ++round) {
    upgrade.push_back(Seconds([&] {
      PosixTcpPort port(printer);
      return fwflash::RunUpgrade(*image, port, [](int) {}) == fwflash::UpgradeResult::Success;
    }));
    copy.push_back(Seconds([&] { return PlainCopy(printer, wire); }));
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  std::filesystem::remove_all(dir);
  const double mib = static_cast<double>(wire.size()) / (1 << 20);
  const double upgradeRate = mib / Median(upgrade), copyRate = mib / Median(copy);
  std::printf("16 MiB image over loopback TCP to vprinter, median of %d rounds\n", kRounds);
  std::printf("  fwflash upgrade:  %8.1f MiB/s\n  plain copy:       %8.1f MiB/s\n  ratio:            %8.2f\n",
              upgradeRate, copyRate, upgradeRate / copyRate);
  return 0;
}
