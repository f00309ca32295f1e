// Chromium's DevTools over --remote-debugging-pipe: it reads commands on
// fd 3 and writes answers and events on fd 4, each a JSON text ending in NUL.
#include "Browser.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstring>
#include <thread>

namespace testsupport {
namespace {

using nlohmann::json;
constexpr const char* kChromium = "/usr/bin/chromium";

std::string Base64Decode(const std::string& text) {
  std::string bytes;
  unsigned value = 0;
  int bits = 0;
  for (char c : text) {
    const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const char* at = c ? std::strchr(digits, c) : nullptr;
    if (!at) continue;  // padding
    value = value << 6 | static_cast<unsigned>(at - digits);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((value >> bits) & 0xFF);
    }
  }
  return bytes;
}

// In the child: the pipe ends on fds 3 and 4, output to the log, then
// Chromium. Everything it needs was made before the fork.
[[noreturn]] void RunChromium(int commands, int answers, int log, const char* profile) {
  setpgid(0, 0);  // its helpers in one group the test can end
  commands = fcntl(commands, F_DUPFD_CLOEXEC, 10);
  answers = fcntl(answers, F_DUPFD_CLOEXEC, 10);
  dup2(commands, 3);
  dup2(answers, 4);
  dup2(log, STDOUT_FILENO);
  dup2(log, STDERR_FILENO);
  const char* argv[] = {kChromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                        "--disable-background-networking", "--disable-component-update", "--disable-sync",
                        "--disable-dev-shm-usage", "--window-size=1280,1000", "--remote-debugging-pipe",
                        profile, "about:blank", nullptr};
  execv(kChromium, const_cast<char**>(argv));
  _exit(127);
}

}  // namespace

std::unique_ptr<Browser> Browser::Start(const std::string& workDir, std::string& why) {
  if (access(kChromium, X_OK) != 0) {
    why = std::string(kChromium) + " is not installed (Debian package chromium)";
    return nullptr;
  }
  int commands[2], answers[2];
  if (pipe2(commands, O_CLOEXEC) != 0 || pipe2(answers, O_CLOEXEC) != 0) {
    why = "no pipes for Chromium";
    return nullptr;
  }
  const std::string profile = workDir + "/profile", profileFlag = "--user-data-dir=" + profile;
  const int log = open((workDir + "/chromium.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = fork();
  if (pid == 0) RunChromium(commands[0], answers[1], log, profileFlag.c_str());
  close(log);
  close(commands[0]);
  close(answers[1]);
  std::unique_ptr<Browser> browser(new Browser(pid, commands[1], answers[0], profile));
  const json version = browser->Call("Browser.getVersion", json::object(), {}, 30000);
  if (version.contains("error")) {
    why = "Chromium did not answer on its DevTools pipe (" + version["error"].dump() + "); see " + workDir +
          "/chromium.log";
    return nullptr;
  }
  return browser;
}

Browser::~Browser() {
  Call("Browser.close", json::object(), {}, 5000);
  close(to_);
  close(from_);
  // wait for its exit without reaping it, so its group id is not reused
  // before what is left of the group is killed
  siginfo_t info{};
  for (int i = 0; i < 100; ++i) {
    info.si_pid = 0;
    if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(-pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  std::error_code ignored;
  std::filesystem::remove_all(profile_, ignored);
}

bool Browser::Send(const json& message) {
  const std::string text = message.dump() + '\0';
  for (size_t at = 0; at < text.size();) {
    const ssize_t n = write(to_, text.data() + at, text.size() - at);
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
  return true;
}

json Browser::Receive(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const size_t end = pending_.find('\0');
    if (end != std::string::npos) {
      const std::string text = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return json::parse(text, nullptr, false);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd readable{from_, POLLIN, 0};
    if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) return nullptr;
    char chunk[65536];
    const ssize_t n = read(from_, chunk, sizeof chunk);
    if (n <= 0) return nullptr;
    pending_.append(chunk, static_cast<size_t>(n));
  }
}

json Browser::Call(const std::string& method, const json& params, const std::string& session, int timeoutMs) {
  const int id = nextId_++;
  json message = {{"id", id}, {"method", method}, {"params", params}};
  if (!session.empty()) message["sessionId"] = session;
  if (!Send(message)) return {{"error", "the pipe to Chromium is closed"}};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const json answer = Receive(static_cast<int>(left.count()) + 1);
    if (answer.is_null()) break;
    if (!answer.contains("id") || answer["id"] != id) continue;  // an event, or an older answer
    if (answer.contains("error")) return {{"error", answer["error"]}};
    return answer.value("result", json::object());
  }
  return {{"error", method + ": no answer"}};
}

std::string Browser::Open(const std::string& url) {
  const json target = Call("Target.createTarget", {{"url", url}});
  if (!target.contains("targetId")) return {};
  const json attached = Call("Target.attachToTarget", {{"targetId", target["targetId"]}, {"flatten", true}});
  return attached.value("sessionId", "");
}

json Browser::Evaluate(const std::string& session, const std::string& expression) {
  const json result =
      Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}}, session);
  if (!result.contains("result") || result.contains("exceptionDetails")) return nullptr;
  return result["result"].value("value", json(nullptr));
}

bool Browser::WaitUntil(const std::string& session, const std::string& expression, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Evaluate(session, expression) == true) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

std::string Browser::Screenshot(const std::string& session) {
  const json shot = Call("Page.captureScreenshot", {{"format", "png"}}, session);
  return shot.contains("data") ? Base64Decode(shot["data"].get<std::string>()) : std::string();
}

}  // namespace testsupport
