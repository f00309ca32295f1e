// The print loop's side of the handover: a push under a short lock.
#include "vprinter/web/Feed.h"

namespace vprinter::web {

void Feed::Push(News news) {
  std::lock_guard lock(mutex_);
  if (pending_.news.size() >= kMaxNews) {
    ++pending_.dropped;
    return;
  }
  pending_.news.push_back(std::move(news));
}

void Feed::Opened(int id, std::string_view source, std::string_view peer) {
  Push(Opening{id, std::string(source), std::string(peer), std::chrono::system_clock::now()});
}

void Feed::Received(int id, std::size_t bytes) {
  std::lock_guard lock(mutex_);
  pending_.received[id] += bytes;
}

void Feed::Closed(int id, std::uint64_t bytes) { Push(Closing{id, bytes}); }

void Feed::Printed(int number, const escpos::Receipt& receipt) {
  Push(Printing{number, receipt.ending, receipt.page.width, receipt.page.height});
}

void Feed::PrinterState(const escpos::Settings& settings, const Conditions& conditions,
                        std::span<const std::uint8_t> statusAnswer) {
  const auto now = std::chrono::steady_clock::now();
  if (published_ && now - looked_ < kStateEvery) return;
  looked_ = now;
  PrinterSnapshot snapshot{escpos::Describe(settings), conditions, {statusAnswer.begin(), statusAnswer.end()}};
  if (snapshot == published_) return;
  published_ = snapshot;
  std::lock_guard lock(mutex_);
  pending_.printer = std::move(snapshot);
}

Batch Feed::Take() {
  Batch taken;
  std::lock_guard lock(mutex_);
  std::swap(taken, pending_);
  return taken;
}

}  // namespace vprinter::web
