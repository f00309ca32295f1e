// The handover from the print loop to the web page. The print loop's calls
// add news to a bounded list under a lock held only for the push; the web
// side takes the whole list at once, so a slow or stuck browser can never
// make the print loop wait.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "vprinter/Watcher.h"

namespace vprinter::web {

struct Opening {
  int id = 0;
  std::string source, peer;
  std::chrono::system_clock::time_point when;
};
struct Closing {
  int id = 0;
  std::uint64_t bytes = 0;
};
struct Printing {
  int number = 0;
  std::string ending;
  int width = 0, height = 0;  // dots
};
using News = std::variant<Opening, Closing, Printing>;

struct PrinterSnapshot {
  std::vector<std::string> settings;  // as a self test words them
  Conditions conditions;
  std::vector<std::uint8_t> statusAnswer;  // empty: silent
  bool operator==(const PrinterSnapshot&) const = default;
};

// Everything that happened since the web side last looked.
struct Batch {
  std::vector<News> news;                  // in the order it happened
  std::map<int, std::uint64_t> received;   // bytes per connection, after `news`
  std::optional<PrinterSnapshot> printer;  // set when it changed
  std::uint64_t dropped = 0;               // news left out: the list was full
};

class Feed : public Watcher {
 public:
  static constexpr size_t kMaxNews = 4096;
  static constexpr std::chrono::milliseconds kStateEvery{50};

  void Opened(int id, std::string_view source, std::string_view peer) override;
  void Received(int id, std::size_t bytes) override;
  void Closed(int id, std::uint64_t bytes) override;
  void Printed(int number, const escpos::Receipt& receipt) override;
  // Looks at most every kStateEvery; hands over only a changed state.
  void PrinterState(const escpos::Settings& settings, const Conditions& conditions,
                    std::span<const std::uint8_t> statusAnswer) override;

  // The web side: what happened since the last Take.
  Batch Take();

 private:
  void Push(News news);

  std::mutex mutex_;
  Batch pending_;
  // the print loop's own: what it handed over last, and when it looked
  std::optional<PrinterSnapshot> published_;
  std::chrono::steady_clock::time_point looked_{};
};

}  // namespace vprinter::web
