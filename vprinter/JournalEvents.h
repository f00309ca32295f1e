// Reading vprinter's journal.txt: one event per line. Header-only and
// standard C++ so native tests and Windows tests alike can read a journal.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace vprinter {

struct JournalEvent {
  std::string kind;  // "ready", "open", "close", "stop"
  int id = 0;        // open, close
  long long ms = 0;  // since vprinter started
  std::string source;         // open: tcp:ADDR:PORT or pty:PATH
  std::string peer;           // open over TCP: the client's ADDR:PORT
  long long bytes = 0;        // close
  std::vector<std::string> sources;  // ready
  std::string reason;         // stop
};

inline JournalEvent ParseJournalLine(const std::string& line) {
  std::istringstream in(line);
  JournalEvent event;
  in >> event.kind;
  if (event.kind == "open") {
    in >> event.id >> event.ms >> event.source >> event.peer;
  } else if (event.kind == "close") {
    in >> event.id >> event.ms >> event.bytes;
  } else if (event.kind == "ready") {
    in >> event.ms;
    for (std::string source; in >> source;) event.sources.push_back(source);
  } else if (event.kind == "stop") {
    in >> event.ms >> event.reason;
  }
  return event;
}

// Events of the complete lines of `text`, in order; a last line still being
// written (no newline yet) is left out.
inline std::vector<JournalEvent> ParseJournal(std::string_view text) {
  std::vector<JournalEvent> events;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    events.push_back(ParseJournalLine(std::string(text.substr(start, end - start))));
    start = end + 1;
  }
  return events;
}

}  // namespace vprinter
