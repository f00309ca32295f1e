// The interpreter's input loop: pending commands, command bodies, notes.
#include "vprinter/escpos/Interpreter.h"

#include <algorithm>
#include <cstdio>

namespace vprinter::escpos {
namespace {

constexpr size_t kChunk = 65536;
constexpr size_t kUnknownShown = 16;  // bytes of an unknown run shown in its note

}  // namespace

Interpreter::Interpreter(Typeface& typeface, Settings& settings, ReceiptSink& sink, EventLog& log)
    : typeface_(typeface), settings_(settings), log_(log), paper_(sink, log, settings) {
  Initialise();
}

void Interpreter::Feed(Span bytes) {
  // in chunks, so pending_ holds at most one chunk and one unfinished command
  while (!bytes.empty()) {
    const Span chunk = bytes.first(std::min(bytes.size(), kChunk));
    bytes = bytes.subspan(chunk.size());
    pending_.insert(pending_.end(), chunk.begin(), chunk.end());
    size_t at = 0;
    while (at < pending_.size()) {
      const Span rest(pending_.data() + at, pending_.size() - at);
      stepOffset_ = offset_ + at;
      size_t used = body_ ? TakeBody(rest) : Step(rest);
      if (used == 0 && rest.size() >= kMaxCommand) {
        Unknown(rest.first(1), "command not complete within " + std::to_string(kMaxCommand) + " bytes");
        used = 1;
      }
      if (used == 0) break;
      at += used;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    offset_ += at;
  }
  FlushUnknown();
  FlushRepeats();
}

size_t Interpreter::Step(Span in) {
  if (nvLeft_ > 0) return NvHeader(in);
  switch (in[0]) {
    case 0x1B: return Esc(in);
    case 0x1D: return Gs(in);
    case 0x1C: return Fs(in);
    case 0x1F: return Frame(in);
    default: return in[0] < 0x20 ? Control(in) : Text(in);
  }
}

void Interpreter::StartBody(Body body) {
  if (body.remaining > 0) {
    body_ = std::move(body);
  } else if (body.done) {
    body.done(body.kept);
  }
}

size_t Interpreter::TakeBody(Span in) {
  Body& body = *body_;
  const size_t n = static_cast<size_t>(std::min<std::uint64_t>(body.remaining, in.size()));
  size_t i = 0;
  while (i < n) {
    const size_t room = body.row > 0 ? body.row - body.kept.size() : body.keep - std::min(body.keep, body.kept.size());
    const size_t take = std::min(n - i, room);
    body.kept.insert(body.kept.end(), in.begin() + static_cast<std::ptrdiff_t>(i),
                     in.begin() + static_cast<std::ptrdiff_t>(i + take));
    i = body.row > 0 ? i + take : n;  // beyond `keep` bytes are skipped
    if (body.row > 0 && body.kept.size() == body.row) {
      body.onRow(body.kept);
      body.kept.clear();
    }
  }
  body.remaining -= n;
  if (body.remaining == 0) {
    Body finished = std::move(*body_);
    body_.reset();  // before done(), which may start the next body
    if (finished.done) finished.done(finished.kept);
  }
  return n;
}

void Interpreter::EndOfJob() {
  FlushUnknown();
  lastNote_.clear();
  paper_.Cut("not cut: the job ended");
}

void Interpreter::PowerOff() {
  EndOfJob();
  const std::string text = line_.Clear();
  if (!text.empty()) Note("switched off with unprinted text in the line buffer: \"" + text + "\"");
  if (body_) Note("switched off " + std::to_string(body_->remaining) + " bytes before the end of a command's data");
  if (!pending_.empty()) Note("switched off with an unfinished command of " + std::to_string(pending_.size()) + " bytes");
}

// A note that repeats the one before it is counted, not written: a stream of
// one command cannot flood the log.
void Interpreter::Note(const std::string& what) {
  FlushUnknown();
  if (what == lastNote_) {
    ++repeats_;
    return;
  }
  FlushRepeats();
  lastNote_ = what;
  log_.Note("at " + std::to_string(stepOffset_) + ": " + what);
}

void Interpreter::FlushRepeats() {
  if (repeats_ == 0) return;
  log_.Note("at " + std::to_string(stepOffset_) + ": the note before repeated " + std::to_string(repeats_) + " times");
  repeats_ = 0;
}

// Runs of adjacent unknown bytes make one note.
void Interpreter::Unknown(Span bytes, const std::string& what) {
  if (!what.empty() || stepOffset_ != unknownAt_ + unknownCount_) FlushUnknown();
  if (unknownCount_ == 0) unknownAt_ = stepOffset_;
  for (std::uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", b);
    if (unknownCount_++ < kUnknownShown) unknownHex_ += hex;
  }
  if (!what.empty()) {
    log_.Note("at " + std::to_string(unknownAt_) + ": " + what + ": skipped " + unknownHex_);
    unknownCount_ = 0;
    unknownHex_.clear();
  }
}

void Interpreter::FlushUnknown() {
  if (unknownCount_ == 0) return;
  std::string hex = unknownHex_;
  if (unknownCount_ > kUnknownShown) hex += "... ";
  log_.Note("at " + std::to_string(unknownAt_) + ": unknown bytes skipped: " + hex + "(" +
            std::to_string(unknownCount_) + " bytes)");
  unknownCount_ = 0;
  unknownHex_.clear();
}

}  // namespace vprinter::escpos
