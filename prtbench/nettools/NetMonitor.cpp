// The monitor thread: connect, poll with its waits, count misses, reconnect.
#include "prtbench/nettools/NetMonitor.h"

#include <array>
#include <chrono>

#include "common/Guarded.h"

namespace prtbench {

NetMonitor::NetMonitor(MonitorConnection& connection, kit::Clock& clock, Reports reports)
    : connection_(connection), clock_(clock), reports_(std::move(reports)) {}

NetMonitor::~NetMonitor() { Shutdown(); }

void NetMonitor::Start(Ipv4 address) {
  std::lock_guard lock(mutex_);
  wanted_ = true;
  address_ = address;
  if (threadRunning_) return;
  // a thread that ended has nothing left to do but return
  if (thread_.joinable()) thread_.join();
  threadRunning_ = true;
  thread_ = std::thread([this] { Run(); });
}

void NetMonitor::Stop() {
  {
    std::lock_guard lock(mutex_);
    wanted_ = false;
  }
  SetLamps(AllLamps(LampColour::Black));
}

void NetMonitor::Shutdown() {
  Stop();
  connection_.Close();
  if (thread_.joinable()) thread_.join();
}

Lamps NetMonitor::lamps() const {
  std::lock_guard lock(mutex_);
  return lamps_;
}

std::uint32_t NetMonitor::statusWord() const {
  std::lock_guard lock(mutex_);
  return word_;
}

bool NetMonitor::running() const { return Wanted(); }

bool NetMonitor::threadRunning() const {
  std::lock_guard lock(mutex_);
  return threadRunning_;
}

void NetMonitor::Run() {
  for (;;) {
    // a session that throws ends the monitoring rather than the program
    const bool failed = !kit::Guarded([this] { Session(); });
    // decided under the lock, so a Start now either sees this thread
    // running or starts the next one
    std::lock_guard lock(mutex_);
    if (!wanted_ || failed) {
      threadRunning_ = false;
      return;
    }
  }
}

void NetMonitor::Session() {
  while (Wanted()) {
    SetLamp(kOnlineLamp, LampColour::Green);
    const Ipv4 address = Address();
    if (connection_.Connect(address, kMonitorConnectTimeout, [this] { return !Wanted(); }) != 1) {
      SetLamps(AllLamps(LampColour::Black));
      PauseUnlessStopped(kMonitorRetryMs);
      continue;
    }
    if (reports_.status) reports_.status(Msg::MonitorConnected);
    SetLamps(AllLamps(LampColour::Green));
    if (!PollUntilLost(address)) break;
  }
  ClearWord();
  SetLamps(AllLamps(LampColour::Black));
  connection_.Close();
  if (reports_.status) reports_.status(Msg::MonitorQuit);
}

bool NetMonitor::PollUntilLost(Ipv4 address) {
  const Bytes request = StatusRequest();
  int misses = 0;
  while (Wanted()) {
    if (Address() != address) {
      // a Start for another printer: this one's lamps must not stand for it
      connection_.Close();
      ClearWord();
      SetLamps(AllLamps(LampColour::Black));
      return true;
    }
    if (!connection_.Send(request)) {
      connection_.Close();
      Lamps lost = AllLamps(LampColour::Green);
      lost[kOnlineLamp] = LampColour::Red;
      SetLamps(lost);
      ClearWord();
      return true;
    }
    PauseUnlessStopped(kMonitorReplyWaitMs);
    std::array<std::uint8_t, kStatusReplyBuffer> reply{};
    const int count = ReadReply(reply);
    if (count <= 0) {
      if (++misses < kMonitorMissLimit) {
        PauseUnlessStopped(kMonitorAfterMissMs);
        continue;
      }
      // a printer silent this long is gone: start over with a fresh connection
      connection_.Close();
      ClearWord();
      Lamps silent = AllLamps(LampColour::Black);
      silent[kOnlineLamp] = LampColour::Red;
      SetLamps(silent);
      return true;
    }
    misses = 0;
    const std::uint32_t word = ComposeStatusWord(std::span(reply).first(static_cast<size_t>(count)));
    SetLamps(PolledLamps(StoreWord(word)));
    PauseUnlessStopped(kMonitorAfterReplyMs);
  }
  return false;
}

int NetMonitor::ReadReply(std::span<std::uint8_t> reply) {
  const int first = connection_.Receive(reply, 0);
  if (first <= 0) return first;
  // the word may come in more than one segment; a short one shifts no later word
  size_t count = static_cast<size_t>(first);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kMonitorReplyRestMs);
  while (count < kStatusWordBytes) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    const int more = connection_.Receive(reply.subspan(count), static_cast<unsigned>(left.count()));
    if (more <= 0) break;
    count += static_cast<size_t>(more);
  }
  return static_cast<int>(count);
}

void NetMonitor::PauseUnlessStopped(unsigned milliseconds) {
  clock_.PauseUnless(milliseconds, [this] { return !Wanted(); });
}

bool NetMonitor::Wanted() const {
  std::lock_guard lock(mutex_);
  return wanted_;
}

Ipv4 NetMonitor::Address() const {
  std::lock_guard lock(mutex_);
  return address_;
}

void NetMonitor::SetLamps(const Lamps& lamps) {
  ChangeLamps([&lamps](Lamps& now) { now = lamps; });
}

void NetMonitor::SetLamp(int lamp, LampColour colour) {
  ChangeLamps([lamp, colour](Lamps& now) { now[lamp] = colour; });
}

void NetMonitor::ChangeLamps(const std::function<void(Lamps&)>& change) {
  {
    std::lock_guard lock(mutex_);
    const Lamps before = lamps_;
    change(lamps_);
    if (lamps_ == before) return;
  }
  if (reports_.lampsChanged) reports_.lampsChanged();
}

std::uint32_t NetMonitor::StoreWord(std::uint32_t received) {
  std::lock_guard lock(mutex_);
  word_ = NextStoredWord(word_, received);
  return word_;
}

void NetMonitor::ClearWord() {
  std::lock_guard lock(mutex_);
  word_ = 0;
}

}  // namespace prtbench
