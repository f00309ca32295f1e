// Listening, accepting, reading and journaling; the stop conditions.
#include "vprinter/Server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vprinter {
namespace {

constexpr int kPollMs = 50;
// What one connection may hand the printer in one turn of the loop.
constexpr size_t kTurnBytes = 64 * 1024;
// Before a new connection is journaled the others are read out, so that a
// client's close comes before its next open; a bound on one that streams.
constexpr size_t kBeforeAcceptBytes = 1u << 20;
// Answers waiting for a peer that does not read; past this it is not read from.
constexpr size_t kMaxOutbox = 64 * 1024;

// 0.0.0.0 hears broadcasts from every interface, so it is taken only in a
// network namespace other than that of process 1: one a test made, whose
// links lead only to other namespaces of the same test.
bool InNetworkNamespaceOfItsOwn() {
  struct stat own {}, first {};
  if (stat("/proc/self/ns/net", &own) != 0 || stat("/proc/1/ns/net", &first) != 0) return false;
  return own.st_ino != first.st_ino || own.st_dev != first.st_dev;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteWholeFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".new";
  std::ofstream(temporary) << text;
  std::rename(temporary.c_str(), path.c_str());
}

// A connection is read while its peer takes its answers.
int Events(const std::vector<std::uint8_t>& outbox) {
  return (outbox.size() < kMaxOutbox ? POLLIN : 0) | (outbox.empty() ? 0 : POLLOUT);
}

// DIR/status-reply holding the one word "normal": the status word, whatever
// the start-up answer was.
bool AsksForStatusWord(const std::string& text) {
  std::istringstream in(text);
  std::string first, more;
  return (in >> first) && first == "normal" && !(in >> more);
}

std::string Describe(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

}  // namespace

Server::Server(const Options& options, Journal& journal) : options_(options), journal_(journal) {}

Server::~Server() {
  for (auto& listener : listeners_) close(listener.fd);
  for (auto& connection : connections_) {
    if (connection->open && connection->id != ptyConnection_) close(connection->fd);
  }
  if (pty_) ClosePty(*pty_, options_.ptyLink);
}

bool Server::StartPrinter(std::string& error) {
  log_ = std::make_unique<FileLog>(options_.journalDir + "/printer.log");
  receipts_ = std::make_unique<ReceiptFiles>(options_.journalDir, *log_, watcher_);
  std::unique_ptr<escpos::Typeface> typeface;
  if (options_.render && !options_.firmware) {
    typeface = escpos::Typeface::Load({options_.fontDir, escpos::FontPaths{}.unifont}, error);
    if (!typeface) return false;
  }
  std::string word;
  const auto conditions = ParseConditions(options_.conditions, word);
  startConditions_ = conditions.value_or(Conditions{});
  PrinterSetup setup;
  setup.bufferBytes = options_.bufferBytes;
  setup.drainPerSecond = static_cast<double>(options_.drainPerSecond);
  setup.conditions = startConditions_;
  setup.widthDots = options_.widthDots;
  setup.codePage = options_.codePage;
  for (auto [text, address] : {std::pair{&options_.ip, &setup.ip}, {&options_.mask, &setup.mask},
                                {&options_.gateway, &setup.gateway}}) {
    if (!text->empty()) inet_pton(AF_INET, text->c_str(), address->data());
  }
  printer_ = std::make_unique<Printer>(setup, std::move(typeface), *receipts_, *log_);
  if (!options_.statusReply.empty()) printer_->SetStatusReply(ParseStatusReply(options_.statusReply));
  if (!options_.udp.empty()) {
    Identity identity;
    identity.mac = ParseMac(options_.mac).value_or(identity.mac);
    identity.port = static_cast<std::uint16_t>(options_.netPort);
    identity.dhcp = options_.dhcp;
    discovery_ = std::make_unique<DiscoveryResponder>(identity, printer_->settings(), *log_);
    WriteDiscoveryRecord();
  }
  return true;
}

bool Server::Start(std::string& error) {
  if (!StartPrinter(error)) return false;
  for (const Endpoint& endpoint : options_.tcp) {
    if (!Listen(endpoint, false, error)) return false;
  }
  for (const Endpoint& endpoint : options_.status) {
    if (!Listen(endpoint, true, error)) return false;
  }
  for (const Endpoint& endpoint : options_.udp) {
    if (!ListenUdp(endpoint, error)) return false;
  }
  std::vector<std::string> sources;
  for (const auto& listener : listeners_) sources.push_back(listener.source);
  if (!options_.ptyLink.empty()) {
    pty_ = OpenPty(options_.ptyLink, error);
    if (!pty_) return false;
    sources.push_back("pty:" + pty_->slavePath);
  }
  journal_.Ready(sources);
  // the pty has no connections of its own: it is one connection for the whole run
  if (pty_) {
    ptyConnection_ = nextId_;
    Open(pty_->master, "pty:" + pty_->slavePath, "", false);
  }
  return true;
}

bool Server::Listen(const Endpoint& endpoint, bool status, std::string& error) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  const int on = 1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  inet_pton(AF_INET, endpoint.address.c_str(), &address.sin_addr);
  socklen_t length = sizeof address;
  if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = "cannot listen on " + endpoint.address + ":" + std::to_string(endpoint.port) + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  listeners_.push_back({fd, "tcp:" + Describe(address), status});
  return true;
}

bool Server::ListenUdp(const Endpoint& endpoint, std::string& error) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  inet_pton(AF_INET, endpoint.address.c_str(), &address.sin_addr);
  const bool any = address.sin_addr.s_addr == htonl(INADDR_ANY);
  if (any && !InNetworkNamespaceOfItsOwn()) {
    error = "--udp 0.0.0.0 hears every network this machine is on: run vprinter in a network namespace of its own";
    return false;
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  const int on = 1;
  socklen_t length = sizeof address;
  // several printers in one namespace all hear a broadcast to the port
  if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
      bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = "cannot bind udp " + endpoint.address + ":" + std::to_string(endpoint.port) + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  listeners_.push_back({fd, "udp:" + Describe(address), false, true, any});
  return true;
}

void Server::ReceiveDatagrams(const Listener& listener) {
  std::uint8_t buffer[2048];
  for (;;) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const ssize_t n = recvfrom(listener.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&peer), &length);
    if (n < 0) return;
    const auto reply = discovery_->OnDatagram(std::span(buffer, static_cast<size_t>(n)), Describe(peer));
    WriteDiscoveryRecord();
    if (!reply) continue;
    // a printer answers by broadcast, so a computer in another subnet hears it too
    sockaddr_in to = peer;
    if (listener.any) to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    sendto(listener.fd, reply->data(), reply->size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
}

void Server::WriteDiscoveryRecord() {
  const std::string record = discovery_->RecordText() + "\n";
  if (record == discoveryRecord_) return;
  discoveryRecord_ = record;
  WriteWholeFile(options_.journalDir + "/discovery", record);
}

void Server::Open(int fd, const std::string& source, const std::string& peer, bool status) {
  auto connection = std::make_unique<Connection>();
  connection->id = nextId_++;
  connection->fd = fd;
  connection->source = source;
  connection->handler = MakeHandler(options_, source, status, *printer_, *log_);
  journal_.Opened(connection->id, source, peer);
  connections_.push_back(std::move(connection));
}

std::string Server::Run(const volatile std::sig_atomic_t& signalled) {
  for (;;) {
    if (auto reason = StopReason(signalled)) {
      for (auto& connection : connections_) Close(*connection);
      printer_->PowerOff();
      journal_.Stopped(*reason);
      return *reason;
    }
    // connections before listeners: a client that closed one connection and
    // then opened the next is journaled in that order
    CheckConditions();
    if (watcher_) watcher_->PrinterState(printer_->settings(), printer_->conditions(), printer_->StatusAnswer());
    for (auto& connection : connections_) {
      if (connection->open) Answer(*connection, connection->handler->Unasked());
    }
    std::vector<pollfd> fds;
    for (const auto& c : connections_) fds.push_back({c->fd, static_cast<short>(Events(c->outbox)), 0});
    for (const auto& listener : listeners_) fds.push_back({listener.fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), kPollMs) <= 0) continue;
    const size_t connectionCount = connections_.size();
    for (size_t i = 0; i < connectionCount; ++i) {
      if (fds[i].revents & POLLOUT) SendOutbox(*connections_[i]);
      if (fds[i].revents & ~POLLOUT) Drain(*connections_[i], kTurnBytes);
    }
    for (size_t i = 0; i < listeners_.size(); ++i) {
      if (!(fds[connectionCount + i].revents & POLLIN)) continue;
      if (listeners_[i].udp) ReceiveDatagrams(listeners_[i]);
      else AcceptAll(listeners_[i]);
    }
    std::erase_if(connections_, [](const auto& connection) { return !connection->open; });
  }
}

std::optional<std::string> Server::StopReason(const volatile std::sig_atomic_t& signalled) const {
  if (signalled) return "signal";
  if (journal_.StopRequested()) return "stop-file";
  const auto lived = std::chrono::steady_clock::now() - start_;
  if (options_.lifetimeSeconds > 0 && lived >= std::chrono::seconds(options_.lifetimeSeconds)) return "lifetime";
  return std::nullopt;
}

void Server::CheckConditions() {
  const auto now = std::chrono::steady_clock::now();
  if (now - conditionsChecked_ < std::chrono::milliseconds(kPollMs)) return;
  conditionsChecked_ = now;
  CheckStatusReply();
  const std::optional<std::string> text = ReadWholeFile(options_.journalDir + "/conditions");
  if (text == conditionsText_) return;
  conditionsText_ = text;
  std::string word;
  const auto conditions = text ? ParseConditions(*text, word) : std::optional<Conditions>(startConditions_);
  if (!conditions) {
    log_->Note("conditions file: unknown word '" + word + "': ignored");
    return;
  }
  printer_->SetConditions(*conditions, Now());
}

void Server::CheckStatusReply() {
  const std::optional<std::string> text = ReadWholeFile(options_.journalDir + "/status-reply");
  if (text == statusReplyText_) return;
  statusReplyText_ = text;
  if (!text) {
    printer_->SetStatusReply(options_.statusReply.empty() ? std::nullopt : ParseStatusReply(options_.statusReply));
    return;
  }
  if (AsksForStatusWord(*text)) {
    printer_->SetStatusReply(std::nullopt);
    return;
  }
  const auto reply = ParseStatusReply(*text);
  if (!reply) {
    log_->Note("status-reply file: not 'silent' nor 1 to 20 hex bytes: ignored");
    return;
  }
  printer_->SetStatusReply(reply);
}

void Server::AcceptAll(const Listener& listener) {
  for (;;) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = accept4(listener.fd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    // a client closes its last connection before it opens the next: what it
    // sent before that close, and the close, are read first
    for (size_t i = 0; i < connections_.size(); ++i) Drain(*connections_[i], kBeforeAcceptBytes);
    Open(fd, listener.source, Describe(peer), listener.status);
  }
}

void Server::Drain(Connection& connection, size_t budget) {
  if (!connection.open) return;
  std::uint8_t buffer[65536];
  for (size_t taken = 0; taken < budget && connection.outbox.size() < kMaxOutbox;) {
    const ssize_t n = read(connection.fd, buffer, std::min(sizeof buffer, budget - taken));
    if (n > 0) {
      taken += static_cast<size_t>(n);
      const std::span<const std::uint8_t> bytes(buffer, static_cast<size_t>(n));
      connection.bytes += bytes.size();
      journal_.Received(connection.id, bytes);
      Answer(connection, connection.handler->OnBytes(bytes));
      if (connection.handler->WantsClose()) {
        if (connection.id != ptyConnection_) Close(connection);
        return;
      }
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    // the peer closed (or the link broke); the pty never closes this way
    // while vprinter holds its slave open
    if (connection.id != ptyConnection_) Close(connection);
    return;
  }
}

void Server::Answer(Connection& connection, const std::vector<std::uint8_t>& bytes) {
  connection.outbox.insert(connection.outbox.end(), bytes.begin(), bytes.end());
  SendOutbox(connection);
}

void Server::SendOutbox(Connection& connection) {
  size_t sent = 0;
  while (sent < connection.outbox.size()) {
    const ssize_t n = write(connection.fd, connection.outbox.data() + sent, connection.outbox.size() - sent);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;  // the rest when the peer reads
    sent = connection.outbox.size();  // the peer is gone: its answers with it
  }
  connection.outbox.erase(connection.outbox.begin(), connection.outbox.begin() + static_cast<std::ptrdiff_t>(sent));
}

void Server::Close(Connection& connection) {
  if (!connection.open) return;
  connection.open = false;
  if (connection.id != ptyConnection_) close(connection.fd);
  // the receipt of a job is on disk before its connection's close line
  connection.handler->OnClose();
  journal_.Closed(connection.id, connection.bytes);
}

}  // namespace vprinter
