// Writing receipts and the printer's log.
#include "vprinter/Receipts.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "vprinter/Watcher.h"
#include "vprinter/escpos/Png.h"

namespace vprinter {

FileLog::FileLog(std::string path) : path_(std::move(path)) {}

FileLog::~FileLog() {
  if (fd_ >= 0) close(fd_);
}

void FileLog::Note(const std::string& line) {
  if (full_) return;
  if (fd_ < 0) fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  std::string whole = line + "\n";
  if (written_ + whole.size() > kMaxLog) {
    whole = "log full: later notes dropped\n";
    full_ = true;
  }
  written_ += whole.size();
  while (!whole.empty()) {
    const ssize_t n = write(fd_, whole.data(), whole.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    whole.erase(0, static_cast<size_t>(n));
  }
}

ReceiptFiles::ReceiptFiles(std::string dir, escpos::EventLog& log, Watcher* watcher)
    : dir_(std::move(dir)), log_(log), watcher_(watcher) {}

void ReceiptFiles::Take(escpos::Receipt receipt) {
  const int number = next_++;
  const std::string base = dir_ + "/receipt-" + std::to_string(number);
  std::string comment;
  for (const std::string& line : receipt.settings) comment += line + "\n";
  comment += "Ending: " + receipt.ending;
  const bool png = escpos::WritePng(base + ".png", receipt.page, comment);
  std::ofstream text(base + ".txt", std::ios::binary | std::ios::trunc);
  for (const std::string& line : receipt.text) text << line << "\n";
  text << "[" << receipt.ending << "]\n";
  text.close();
  log_.Note((png && text ? "receipt " : "receipt NOT WRITTEN ") + base + ".png: " +
            std::to_string(receipt.page.width) + "x" + std::to_string(receipt.page.height) + " dots, " + receipt.ending);
  if (watcher_) watcher_->Printed(number, receipt);
}

}  // namespace vprinter
