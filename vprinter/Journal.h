// vprinter's record of what it received: journal.txt, one line per event, and
// the raw bytes of each connection in conn-<id>.bin, both written as things
// happen so a test can read them while vprinter runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vprinter {

class Watcher;

class Journal {
 public:
  explicit Journal(std::string dir);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // Creates the directory if needed, removes what an earlier run left there
  // (journal, connection files, receipts, printer.log, conditions,
  // status-reply, discovery, web, ready, stop) and opens journal.txt. False
  // with a message in `error` on failure.
  bool Open(std::string& error);

  // Every listener is up: the ready line, then the ready file.
  void Ready(const std::vector<std::string>& sources);
  void Opened(int id, std::string_view source, std::string_view peer);
  void Received(int id, std::span<const std::uint8_t> bytes);
  void Closed(int id, std::uint64_t bytes);
  void Stopped(std::string_view reason);

  // True once DIR/stop exists.
  bool StopRequested() const;

  // Tells `watcher` (nullptr: nobody) of each connection after its files.
  void Watch(Watcher* watcher) { watcher_ = watcher; }

 private:
  long long Ms() const;
  void Line(const std::string& line);
  std::string Path(std::string_view name) const;

  std::string dir_;
  int journal_ = -1;
  std::map<int, int> files_;  // connection id -> conn-<id>.bin
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  Watcher* watcher_ = nullptr;
};

}  // namespace vprinter
