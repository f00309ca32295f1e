// The page's server: its threads, its routes and the checks before them.
#include "vprinter/web/WebServer.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "vprinter/web/JournalFiles.h"
#include "vprinter/web/Page.h"

namespace vprinter::web {
namespace {

using httplib::Request;
using httplib::Response;

constexpr size_t kMaxBody = 1024;  // the longest control a page sends is a few words
// A whole request: its line, headers and body. A browser's are under 2 KiB.
constexpr size_t kMaxRequest = 16 * 1024;
constexpr int kTimeoutMs = 3000;  // a client that sends nothing holds a thread, and vprinter's stop, this long at most
constexpr std::uint64_t kMaxRangedFile = 16u << 20;
constexpr auto kPumpEvery = std::chrono::milliseconds(100);

httplib::Server::HandlerResponse Refuse(Response& res, int status, const std::string& why) {
  res.status = status;
  res.set_header("Connection", "close");
  res.set_content(why + "\n", "text/plain; charset=utf-8");
  return httplib::Server::HandlerResponse::Handled;
}

void Text(Response& res, int status, const std::string& text) {
  res.status = status;
  res.set_content(text + "\n", "text/plain; charset=utf-8");
}

// One request's socket, read up to kMaxRequest bytes and no further: the
// library caps each header line but not how many come, so without this a
// request of endless header lines would grow the process without bound.
class RequestStream : public httplib::Stream {
 public:
  explicit RequestStream(int fd) : fd_(fd) {}
  bool is_readable() const override { return Ready(POLLIN); }
  bool is_writable() const override { return Ready(POLLOUT); }
  ssize_t read(char* ptr, size_t size) override {
    if (taken_ >= kMaxRequest || !is_readable()) return -1;
    const ssize_t n = recv(fd_, ptr, std::min(size, kMaxRequest - taken_), 0);
    if (n > 0) taken_ += static_cast<size_t>(n);
    return n;
  }
  ssize_t write(const char* ptr, size_t size) override {
    return is_writable() ? send(fd_, ptr, size, MSG_NOSIGNAL) : -1;
  }
  void get_remote_ip_and_port(std::string& ip, int& port) const override { Address(getpeername, ip, port); }
  void get_local_ip_and_port(std::string& ip, int& port) const override { Address(getsockname, ip, port); }
  int socket() const override { return fd_; }

 private:
  bool Ready(short events) const {
    pollfd fd{fd_, events, 0};
    return poll(&fd, 1, kTimeoutMs) > 0 && !(fd.revents & (POLLERR | POLLNVAL));
  }
  template <typename Query>
  void Address(Query query, std::string& ip, int& port) const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    char text[INET_ADDRSTRLEN] = {};
    if (query(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return;
    ip = inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) ? text : "";
    port = ntohs(address.sin_port);
  }

  int fd_;
  size_t taken_ = 0;
};

// The library's server with one request per connection, read through a
// RequestStream.
class CappedServer : public httplib::Server {
  bool process_and_close_socket(int fd) override {
    RequestStream stream(fd);
    bool closed = true;
    const bool served = process_request(stream, true, closed, nullptr);
    shutdown(fd, SHUT_RDWR);
    close(fd);
    return served;
  }
};

// The file's bytes as they are now, read while they are sent.
void ServeFile(int fd, std::uint64_t size, const std::string& type, Response& res) {
  const auto file = std::shared_ptr<int>(new int(fd), [](int* owned) {
    close(*owned);
    delete owned;
  });
  res.set_content_provider(size, type, [file](size_t offset, size_t length, httplib::DataSink& sink) {
    char buffer[65536];
    const ssize_t n = pread(*file, buffer, std::min(length, sizeof buffer), static_cast<off_t>(offset));
    return n > 0 && sink.write(buffer, static_cast<size_t>(n));
  });
}

// "normal": the printer answers its status word again.
bool IsStatusWordRequest(const std::string& text) {
  std::istringstream in(text);
  std::string first, more;
  return (in >> first) && first == "normal" && !(in >> more);
}

bool ReadAll(int fd, std::uint64_t size, std::string& body) {
  body.resize(size);
  for (size_t at = 0; at < body.size();) {
    const ssize_t n = pread(fd, body.data() + at, body.size() - at, static_cast<off_t>(at));
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
  return true;
}

// A journal file by its name (req.matches[1]), whole or the range asked for.
void ServeJournalFile(const std::string& dir, const Request& req, Response& res) {
  const std::string name = req.matches[1];
  const auto type = JournalFileType(name);
  std::uint64_t size = 0;
  const int fd = type ? OpenJournalFile(dir, name, size) : -1;
  if (fd < 0) return Text(res, 404, "no such file in the journal: " + name);
  if (req.ranges.empty()) return ServeFile(fd, size, *type, res);
  // the library sizes a range right only on a body held in memory: a range
  // past the end of a streamed file would promise bytes that never come
  std::string body;
  const bool read = size <= kMaxRangedFile && ReadAll(fd, size, body);
  close(fd);
  if (!read) return Text(res, 416, "ranges only of files up to " + std::to_string(kMaxRangedFile) + " bytes");
  res.set_content(std::move(body), *type);
}

// The folder's modification time: it changes when a file appears in it.
timespec FolderTime(const std::string& dir) {
  struct stat info {};
  stat(dir.c_str(), &info);
  return info.st_mtim;
}

}  // namespace

WebServer::WebServer(std::string journalDir, std::optional<Endpoint> endpoint, bool firmware)
    : dir_(std::move(journalDir)), endpoint_(std::move(endpoint)), firmware_(firmware) {}

WebServer::~WebServer() { Stop(); }

std::string WebServer::Url() const { return "http://" + own_.address + ":" + std::to_string(own_.port) + "/"; }

bool WebServer::Start(std::string& error) {
  if (!endpoint_) return true;
  http_ = std::make_unique<CappedServer>();
  // SO_REUSEADDR alone: a second vprinter on the same port must fail, not share it
  http_->set_socket_options([](int sock) {
    const int on = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  });
  int port = endpoint_->port;
  if (port == 0) port = http_->bind_to_any_port(endpoint_->address);
  else if (!http_->bind_to_port(endpoint_->address, port)) port = -1;
  if (port <= 0) {
    error = "cannot listen on " + endpoint_->address + ":" + std::to_string(endpoint_->port) +
            " for the web page: " + std::strerror(errno);
    return false;
  }
  own_ = {endpoint_->address, static_cast<std::uint16_t>(port)};
  Route();
  if (firmware_) {
    model_.SetFirmware(ScanFirmware(dir_));
    model_.Clear();  // images of an earlier run are not news
  }
  listener_ = std::thread([this] { http_->listen_after_bind(); });
  pump_ = std::thread([this] { Pump(); });
  // stop() only takes effect on a server that runs
  for (int i = 0; i < 1000 && !http_->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return WriteControl(dir_, "web", Url() + "\n", error);
}

void WebServer::Stop() {
  if (!http_) return;
  http_->stop();
  if (listener_.joinable()) listener_.join();
  {
    std::lock_guard lock(pumpMutex_);
    stopping_ = true;
  }
  pumpWake_.notify_all();
  if (pump_.joinable()) pump_.join();
}

void WebServer::Pump() {
  timespec seen{};
  std::unique_lock lock(pumpMutex_);
  while (!pumpWake_.wait_for(lock, kPumpEvery, [this] { return stopping_; })) {
    model_.Apply(feed_.Take());
    if (!firmware_) continue;
    const timespec now = FolderTime(dir_);
    if (now.tv_sec == seen.tv_sec && now.tv_nsec == seen.tv_nsec) continue;
    seen = now;
    model_.SetFirmware(ScanFirmware(dir_));
  }
}

void WebServer::Guard() {
  http_->new_task_queue = [] { return new httplib::ThreadPool(8); };
  http_->set_payload_max_length(kMaxBody);
  http_->set_default_headers({
      {"Content-Security-Policy", "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; "
                                  "connect-src 'self'; frame-ancestors 'none'; base-uri 'none'; form-action 'none'"},
      {"X-Content-Type-Options", "nosniff"},
      {"Cache-Control", "no-store"},
      {"Referrer-Policy", "no-referrer"},
  });
  http_->set_pre_routing_handler([this](const Request& req, Response& res) {
    if (!HostAllowed(req.get_header_value("Host"), own_)) {
      return Refuse(res, 403, "this page answers only to Host " + own_.address + ":" + std::to_string(own_.port));
    }
    if (req.method != "GET" && req.method != "HEAD" && !OriginAllowed(req.get_header_value("Origin"), own_)) {
      const std::string origin = Url().substr(0, Url().size() - 1);
      return Refuse(res, 403, "changes are taken only from this page itself (Origin " + origin + ")");
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  http_->set_error_handler([](const Request&, Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) Text(res, 413, "request too large: at most " + std::to_string(kMaxBody) + " bytes");
    else if (res.status == 404) Text(res, 404, "no such page");
    else Text(res, res.status, "request refused (HTTP " + std::to_string(res.status) + ")");
  });
}

void WebServer::Route() {
  Guard();
  for (const auto& [path, asset] : PageAssets()) {
    http_->Get(path, [&asset = asset](const Request&, Response& res) {
      res.set_content(asset.body.data(), asset.body.size(), asset.type);
    });
  }
  http_->Get("/api/state", [this](const Request& req, Response& res) {
    const std::string since = req.get_param_value("since");
    res.set_content(model_.StateJson(std::strtoull(since.c_str(), nullptr, 10)), "application/json");
  });
  http_->Get(R"(/files/([^/]+))", [this](const Request& req, Response& res) { ServeJournalFile(dir_, req, res); });
  RouteControls();
}

void WebServer::RouteControls() {
  http_->Post("/api/conditions", [this](const Request& req, Response& res) {
    std::string word, error;
    const auto conditions = ParseConditions(req.body, word);
    if (!conditions) return Text(res, 400, "unknown condition '" + word + "'");
    const std::string text = ConditionsText(*conditions);
    if (!WriteControl(dir_, "conditions", text == "ready" ? "" : text + "\n", error)) return Text(res, 500, error);
    Text(res, 200, text);
  });
  http_->Post("/api/status-reply", [this](const Request& req, Response& res) {
    std::string error;
    if (!IsStatusWordRequest(req.body) && !ParseStatusReply(req.body)) {
      return Text(res, 400, "a status reply is 'normal', 'silent' or 1 to 20 hex bytes");
    }
    if (!WriteControl(dir_, "status-reply", req.body + "\n", error)) return Text(res, 500, error);
    Text(res, 200, req.body);
  });
  http_->Post("/api/clear", [this](const Request&, Response& res) {
    model_.Clear();
    Text(res, 200, "cleared");
  });
}

}  // namespace vprinter::web
