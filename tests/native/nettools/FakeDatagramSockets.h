// The datagram seam's test double: scripted binds and datagrams, every
// broadcast recorded, and a count of sockets open at once.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "prtbench/nettools/DatagramSockets.h"

namespace nettest {

using namespace prtbench;

class FakeDatagramSockets : public DatagramSockets {
 public:
  // How the next opens go; once empty every socket binds.
  std::deque<BindResult> binds;
  bool noSocket = false;
  int openError = 10048;

  // Hands a socket `datagram` (nullopt: a receive error `error`). Datagrams
  // wait until a socket receives them.
  void Deliver(std::optional<std::string> datagram, int error = 0) {
    std::lock_guard lock(mutex_);
    incoming_.push_back({std::move(datagram), error});
    arrived_.notify_all();
  }
  // Every broadcast so far: "port:bytes".
  std::vector<std::string> Broadcasts() const {
    std::lock_guard lock(mutex_);
    return broadcasts_;
  }
  int openNow() const {
    std::lock_guard lock(mutex_);
    return open_;
  }
  int mostOpenAtOnce() const {
    std::lock_guard lock(mutex_);
    return mostOpen_;
  }
  int opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
  }
  // Waits until `count` broadcasts went.
  bool WaitBroadcasts(size_t count, int timeoutMs = 5000) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return broadcasts_.size() >= count; });
  }
  // Waits until every delivered datagram was received.
  bool WaitTaken(int timeoutMs = 5000) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return incoming_.empty(); });
  }

  OpenedDatagramSocket Open(std::uint16_t port) override {
    std::lock_guard lock(mutex_);
    if (noSocket) return {nullptr, BindResult::Failed, openError};
    BindResult bind = BindResult::Bound;
    if (!binds.empty()) {
      bind = binds.front();
      binds.pop_front();
    }
    ++opened_;
    mostOpen_ = std::max(mostOpen_, ++open_);
    return {std::make_unique<Socket>(*this, port), bind, bind == BindResult::Bound ? 0 : openError};
  }

 private:
  struct Incoming {
    std::optional<std::string> datagram;
    int error;
  };
  class Socket : public DatagramSocket {
   public:
    Socket(FakeDatagramSockets& fake, std::uint16_t port) : fake_(fake), port_(port) {}
    ~Socket() override {
      std::lock_guard lock(fake_.mutex_);
      --fake_.open_;
    }
    bool Broadcast(std::span<const std::uint8_t> bytes, std::uint16_t port) override {
      std::lock_guard lock(fake_.mutex_);
      fake_.broadcasts_.push_back(std::to_string(port_) + ">" + std::to_string(port) + ":" +
                                  std::string(bytes.begin(), bytes.end()));
      fake_.arrived_.notify_all();
      return true;
    }
    int Receive(std::span<std::uint8_t> buffer, unsigned waitMs) override {
      std::unique_lock lock(fake_.mutex_);
      if (!fake_.arrived_.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return !fake_.incoming_.empty(); })) {
        return kDatagramNone;
      }
      const Incoming next = fake_.incoming_.front();
      fake_.incoming_.pop_front();
      fake_.arrived_.notify_all();
      if (!next.datagram) {
        error_ = next.error;
        return kDatagramError;
      }
      const size_t count = std::min(next.datagram->size(), buffer.size());
      std::copy_n(next.datagram->begin(), count, buffer.begin());
      return static_cast<int>(count);
    }
    int lastError() const override { return error_; }

   private:
    FakeDatagramSockets& fake_;
    std::uint16_t port_;
    int error_ = 0;
  };

  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  std::deque<Incoming> incoming_;
  std::vector<std::string> broadcasts_;
  int open_ = 0;
  int mostOpen_ = 0;
  int opened_ = 0;
};

}  // namespace nettest
