// vprinter's event loop: TCP listeners and the pty, every connection's bytes
// into the journal and through its handler, until something asks it to stop.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vprinter/Discovery.h"
#include "vprinter/Handler.h"
#include "vprinter/Journal.h"
#include "vprinter/Options.h"
#include "vprinter/Printer.h"
#include "vprinter/Pty.h"
#include "vprinter/Receipts.h"
#include "vprinter/Watcher.h"

namespace vprinter {

class Server {
 public:
  Server(const Options& options, Journal& journal);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Sets up the printer (its fonts), binds every listener and creates the
  // pty, then journals ready. False with a message in `error` when any of
  // them fails.
  bool Start(std::string& error);

  // Serves until `signalled` turns nonzero, DIR/stop appears or the lifetime
  // ends; closes every connection and journals the stop. Returns the reason.
  std::string Run(const volatile std::sig_atomic_t& signalled);

  // Tells `watcher` of each receipt and, every loop, the printer's state.
  // Before Start.
  void Watch(Watcher* watcher) { watcher_ = watcher; }

 private:
  struct Listener {
    int fd;
    std::string source;
    bool status;        // a status port
    bool udp = false;   // the broadcast protocol
    bool any = false;   // bound to 0.0.0.0: replies are broadcast
  };
  struct Connection {
    int id;
    int fd;
    std::string source;
    std::uint64_t bytes = 0;
    std::unique_ptr<ConnectionHandler> handler;
    bool open = true;
    std::vector<std::uint8_t> outbox;  // answers the peer has not taken yet
  };

  bool StartPrinter(std::string& error);
  bool Listen(const Endpoint& endpoint, bool status, std::string& error);
  bool ListenUdp(const Endpoint& endpoint, std::string& error);
  // Answers every datagram waiting on a UDP listener.
  void ReceiveDatagrams(const Listener& listener);
  // Rewrites DIR/discovery when the printer's record changed.
  void WriteDiscoveryRecord();
  void Open(int fd, const std::string& source, const std::string& peer, bool status);
  // Reads what is there until the socket is empty, closed by the peer, or
  // `budget` bytes were taken: one client cannot hold the loop.
  void Drain(Connection& connection, size_t budget);
  // Queues an answer and sends what the peer takes without waiting; a peer
  // that takes nothing is not read from while its answers pile up.
  void Answer(Connection& connection, const std::vector<std::uint8_t>& bytes);
  void SendOutbox(Connection& connection);
  void Close(Connection& connection);
  void AcceptAll(const Listener& listener);
  std::optional<std::string> StopReason(const volatile std::sig_atomic_t& signalled) const;
  // Applies DIR/conditions and DIR/status-reply when they changed, appeared or went.
  void CheckConditions();
  void CheckStatusReply();

  const Options& options_;
  Journal& journal_;
  std::vector<Listener> listeners_;
  std::vector<std::unique_ptr<Connection>> connections_;
  std::unique_ptr<FileLog> log_;
  std::unique_ptr<ReceiptFiles> receipts_;
  std::unique_ptr<Printer> printer_;
  Conditions startConditions_;
  std::optional<std::string> conditionsText_;  // DIR/conditions as last applied
  std::optional<std::string> statusReplyText_;  // DIR/status-reply as last applied
  std::unique_ptr<DiscoveryResponder> discovery_;
  std::string discoveryRecord_;  // as DIR/discovery holds it
  std::chrono::steady_clock::time_point conditionsChecked_{};
  std::optional<Pty> pty_;
  int ptyConnection_ = 0;
  int nextId_ = 1;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  Watcher* watcher_ = nullptr;
};

}  // namespace vprinter
