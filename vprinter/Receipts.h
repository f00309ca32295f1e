// The printer's output on disk, in the journal directory: one PNG per
// receipt with its text dump beside it, and printer.log with what the
// printer did with its input.
#pragma once

#include <cstdint>
#include <string>

#include "vprinter/escpos/Output.h"

namespace vprinter {

class Watcher;

// printer.log, one note per line, each written at once; it stops growing at
// kMaxLog bytes with a last line that says so.
class FileLog : public escpos::EventLog {
 public:
  static constexpr std::uint64_t kMaxLog = 4u << 20;
  explicit FileLog(std::string path);
  ~FileLog() override;
  FileLog(const FileLog&) = delete;
  FileLog& operator=(const FileLog&) = delete;
  void Note(const std::string& line) override;

 private:
  std::string path_;
  int fd_ = -1;
  std::uint64_t written_ = 0;
  bool full_ = false;
};

// receipt-<n>.png and receipt-<n>.txt (the printed text and markers, then
// the receipt's ending in brackets), n from 1; a log note for each, and
// word to `watcher` (if any) once both files are written.
class ReceiptFiles : public escpos::ReceiptSink {
 public:
  ReceiptFiles(std::string dir, escpos::EventLog& log, Watcher* watcher = nullptr);
  void Take(escpos::Receipt receipt) override;

 private:
  std::string dir_;
  escpos::EventLog& log_;
  Watcher* watcher_;
  int next_ = 1;
};

}  // namespace vprinter
