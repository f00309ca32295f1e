// The monitor thread: connect, poll with its waits, count misses, reconnect.
#include "prtbench/nettools/NetMonitor.h"

#include <array>

#include "common/Guarded.h"

namespace prtbench {

NetMonitor::NetMonitor(PrinterLink& link, kit::Clock& clock, Reports reports)
    : link_(link), clock_(clock), reports_(std::move(reports)) {}

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
  link_.CloseMonitor();
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
    if (link_.ConnectMonitor(Address(), kMonitorConnectTimeout, [this] { return !Wanted(); }) != 1) {
      SetLamps(AllLamps(LampColour::Black));
      PauseUnlessStopped(kMonitorRetryMs);
      continue;
    }
    if (reports_.status) reports_.status(Msg::MonitorConnected);
    SetLamps(AllLamps(LampColour::Green));
    if (!PollUntilLost()) break;
  }
  ClearWord();
  SetLamps(AllLamps(LampColour::Black));
  link_.CloseMonitor();
  if (reports_.status) reports_.status(Msg::MonitorQuit);
}

bool NetMonitor::PollUntilLost() {
  const Bytes request = StatusRequest();
  int misses = 0;
  while (Wanted()) {
    if (!link_.SendToMonitor(request)) {
      link_.CloseMonitor();
      Lamps lost = AllLamps(LampColour::Green);
      lost[kOnlineLamp] = LampColour::Red;
      SetLamps(lost);
      ClearWord();
      return true;
    }
    PauseUnlessStopped(kMonitorReplyWaitMs);
    std::array<std::uint8_t, kStatusReplyBuffer> reply{};
    const int count = link_.ReceiveFromMonitor(reply, 0);
    if (count <= 0) {
      if (++misses < kMonitorMissLimit) {
        PauseUnlessStopped(kMonitorAfterMissMs);
        continue;
      }
      // a printer silent this long is gone: start over with a fresh connection
      link_.CloseMonitor();
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
