// The search thread: bind, broadcast the find, collect found replies.
#include "prtbench/nettools/PrinterSearch.h"

#include <array>
#include <set>

#include "common/Guarded.h"

namespace prtbench {

void PrinterSearch::Start(Reports reports) {
  Stop();
  stop_ = false;
  running_ = true;
  thread_ = std::thread([this, reports = std::move(reports)] {
    // a search that throws just ends, as a stopped one does
    kit::Guarded([&] { Run(reports); });
    running_ = false;
  });
}

void PrinterSearch::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void PrinterSearch::Run(const Reports& reports) {
  OpenedDatagramSocket opened = sockets_.Open(kDiscoveryPort);
  if (!opened.socket) {
    reports.failed(Msg::DiscoveryNoSocket, opened.error);
    return;
  }
  // without the port no reply can reach us: say so rather than wait for ever
  if (opened.bind != BindResult::Bound) {
    reports.failed(opened.bind == BindResult::PortTaken ? Msg::DiscoveryPortTaken : Msg::DiscoveryNoSocket,
                   opened.error);
    return;
  }
  const Bytes find = FindRequest();
  opened.socket->Broadcast(find, kDiscoveryPort);
  Listen(*opened.socket, reports);
}

void PrinterSearch::Listen(DatagramSocket& socket, const Reports& reports) {
  std::set<int> reportedErrors;
  std::array<std::uint8_t, kDiscoveryReceiveSize> buffer;
  while (!stop_) {
    buffer.fill(0);
    const int length = socket.Receive(buffer, kSearchReceiveWaitMs);
    if (length == kDatagramNone) continue;
    if (length == kDatagramError) {
      // a socket that keeps failing must not bury the user in boxes
      const int error = socket.lastError();
      if (reportedErrors.insert(error).second) reports.failed(Msg::DiscoveryReceiveError, error);
      clock_.Pause(kSearchErrorPauseMs);
      continue;
    }
    const auto printer = ParseFoundReply(std::span(buffer).first(static_cast<size_t>(length)));
    if (printer) reports.found(*printer);
  }
}

}  // namespace prtbench
