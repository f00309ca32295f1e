// Starting, watching and stopping vprinter from native tests.
#include "VPrinterProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace testsupport {
namespace {

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

pid_t Spawn(const std::vector<std::string>& arguments, int outputFd) {
  std::vector<char*> argv;
  std::string binary = VPRINTER_BINARY;
  argv.push_back(binary.data());
  std::vector<std::string> copy = arguments;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (outputFd >= 0) {
      dup2(outputFd, STDOUT_FILENO);
      dup2(outputFd, STDERR_FILENO);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Waits for `pid`; its exit status, or -1 on time-out.
int Reap(pid_t pid, int timeoutMs) {
  int status = 0;
  const bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs);
  if (!ended) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string MakeTempDir() {
  char pattern[] = "/tmp/vprinter-test-XXXXXX";
  const char* dir = mkdtemp(pattern);
  return dir ? dir : "";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

VPrinterProcess::VPrinterProcess(std::vector<std::string> arguments) : dir_(MakeTempDir() + "/journal") {
  arguments.insert(arguments.end(), {"--journal", dir_, "--lifetime", "60"});
  pid_ = Spawn(arguments, -1);
}

VPrinterProcess::~VPrinterProcess() {
  if (pid_ <= 0 || status_ >= 0) return;
  if (Stop(3000) < 0) {
    kill(pid_, SIGKILL);
    Reap(pid_, 3000);
  }
}

bool VPrinterProcess::WaitReady(int timeoutMs) {
  struct stat info;
  return WaitFor([&] { return stat((dir_ + "/ready").c_str(), &info) == 0 || WaitExit(0) >= 0; }, timeoutMs) &&
         status_ < 0;
}

Journal VPrinterProcess::ReadJournal() const { return vprinter::ParseJournal(ReadFile(dir_ + "/journal.txt")); }

bool VPrinterProcess::WaitJournal(const std::function<bool(const Journal&)>& condition, int timeoutMs) const {
  return WaitFor([&] { return condition(ReadJournal()); }, timeoutMs);
}

std::string VPrinterProcess::Bytes(int id) const {
  return ReadFile(dir_ + "/conn-" + std::to_string(id) + ".bin");
}

std::string VPrinterProcess::Source(size_t index) const {
  for (const auto& event : ReadJournal()) {
    if (event.kind == "ready" && index < event.sources.size()) return event.sources[index];
  }
  return {};
}

int VPrinterProcess::Stop(int timeoutMs) {
  std::ofstream(dir_ + "/stop").flush();
  return WaitExit(timeoutMs);
}

int VPrinterProcess::Signal(int signal, int timeoutMs) {
  if (status_ < 0) kill(pid_, signal);
  return WaitExit(timeoutMs);
}

int VPrinterProcess::WaitExit(int timeoutMs) {
  if (status_ < 0 && pid_ > 0) status_ = Reap(pid_, timeoutMs);
  return status_;
}

RunResult RunVPrinter(const std::vector<std::string>& arguments, int timeoutMs) {
  const std::string output = MakeTempDir() + "/output";
  const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const pid_t pid = Spawn(arguments, fd);
  close(fd);
  RunResult result;
  result.status = Reap(pid, timeoutMs);
  if (result.status < 0) {
    kill(pid, SIGKILL);
    Reap(pid, 3000);
  }
  result.output = ReadFile(output);
  return result;
}

int ConnectTcp(const std::string& endpoint) {
  const std::string text = endpoint.rfind("tcp:", 0) == 0 ? endpoint.substr(4) : endpoint;
  const size_t colon = text.rfind(':');
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(std::atoi(text.c_str() + colon + 1)));
  if (colon == std::string::npos || inet_pton(AF_INET, text.substr(0, colon).c_str(), &address.sin_addr) != 1) {
    return -1;
  }
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  if (fd >= 0) close(fd);
  return -1;
}

bool SendAll(int fd, const std::string& bytes) {
  size_t offset = 0;
  while (offset < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + offset, bytes.size() - offset, MSG_NOSIGNAL);
    if (n <= 0) return false;
    offset += static_cast<size_t>(n);
  }
  return true;
}

std::string StatusAnswer(const std::string& endpoint) {
  const int fd = ConnectTcp(endpoint);
  if (fd < 0 || !SendAll(fd, std::string("\x1B\x76\x00", 3))) return "no connection";
  timeval wait{0, 500000};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  std::string answer;
  char bytes[8];
  for (ssize_t n; answer.size() < 4 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) answer.append(bytes, n);
  close(fd);
  return answer;
}

bool InPrivateNetwork() {
  const std::string check = std::string(KIT_SOURCE_DIR) + "/scripts/check-netns >/dev/null 2>&1";
  return std::system(check.c_str()) == 0;
}

}  // namespace testsupport
