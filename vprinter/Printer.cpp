// Buffer, conditions and status around the interpreter.
#include "vprinter/Printer.h"

#include <charconv>
#include <sstream>

namespace vprinter {

std::optional<Conditions> ParseConditions(const std::string& words, std::string& error) {
  Conditions conditions;
  std::string text = words;
  for (char& c : text) {
    if (c == ',') c = ' ';
  }
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    if (word == "paper-out") conditions.paperOut = true;
    else if (word == "cover-open") conditions.coverOpen = true;
    else if (word == "drawer-open") conditions.drawerOpen = true;
    else if (word == "offline") conditions.offline = true;
    else {
      error = word;
      return std::nullopt;
    }
  }
  return conditions;
}

std::string ConditionsText(const Conditions& c) {
  std::string text;
  if (c.paperOut) text += " paper-out";
  if (c.coverOpen) text += " cover-open";
  if (c.drawerOpen) text += " drawer-open";
  if (c.offline) text += " offline";
  return text.empty() ? "ready" : text.substr(1);
}

std::optional<std::vector<std::uint8_t>> ParseStatusReply(const std::string& text) {
  std::istringstream in(text);
  std::string hex;
  for (std::string word; in >> word;) {
    // "silent" alone
    if (word == "silent") return hex.empty() && !(in >> word) ? std::optional(std::vector<std::uint8_t>{}) : std::nullopt;
    hex += word;
  }
  if (hex.empty() || hex.size() % 2 != 0 || hex.size() > 40) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

Printer::Printer(const PrinterSetup& setup, std::unique_ptr<escpos::Typeface> typeface, escpos::ReceiptSink& sink,
                 escpos::EventLog& log)
    : log_(log), typeface_(std::move(typeface)), buffer_(setup.bufferBytes, setup.drainPerSecond),
      conditions_(setup.conditions) {
  settings_.widthDots = setup.widthDots;
  settings_.codePage = setup.codePage;
  settings_.ip = setup.ip;
  settings_.mask = setup.mask;
  settings_.gateway = setup.gateway;
  if (typeface_) interpreter_.emplace(*typeface_, settings_, sink, log_);
  buffer_.SetRunning(Printing(), 0);
}

bool Printer::Printing() const { return !conditions_.paperOut && !conditions_.coverOpen && !conditions_.offline; }

std::vector<std::uint8_t> Printer::Receive(std::span<const std::uint8_t> bytes, double now,
                                           AutomaticStatus& automatic) {
  const size_t accepted = buffer_.Offer(bytes.size(), now);
  if (accepted < bytes.size()) {
    log_.Note("receive buffer full: " + std::to_string(bytes.size() - accepted) + " bytes lost after byte " +
              std::to_string(received_ + accepted));
  }
  received_ += bytes.size();
  if (!Printing()) {
    held_.insert(held_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(accepted));
    return RealTime(bytes.first(accepted));
  }
  if (!interpreter_) return RealTime(bytes.first(accepted));
  Interpret(bytes.first(accepted));
  std::vector<std::uint8_t> answers;
  for (const auto& request : interpreter_->TakeRequests()) {
    if (request.kind == escpos::StatusRequest::Kind::Automatic) {
      automatic.on = request.n != 0;
      automatic.sent = StatusWord();
    }
    const auto answer = Answer(request);
    answers.insert(answers.end(), answer.begin(), answer.end());
  }
  return answers;
}

std::vector<std::uint8_t> Printer::RealTime(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> seen = realTimeTail_, answers;
  seen.insert(seen.end(), bytes.begin(), bytes.end());
  for (size_t i = 0; i + 2 < seen.size(); ++i) {
    if (seen[i] != 0x10 || seen[i + 1] != 0x04 || seen[i + 2] < 1 || seen[i + 2] > 4) continue;
    const auto answer = Answer({escpos::StatusRequest::Kind::RealTime, seen[i + 2]});
    answers.insert(answers.end(), answer.begin(), answer.end());
  }
  realTimeTail_.assign(seen.end() - static_cast<std::ptrdiff_t>(std::min<size_t>(seen.size(), 2)), seen.end());
  return answers;
}

std::vector<std::uint8_t> Printer::StatusChange(AutomaticStatus& automatic) const {
  const auto word = StatusWord();
  if (!automatic.on || word == automatic.sent) return {};
  automatic.sent = word;
  return {word.begin(), word.end()};
}

// DLE EOT: 1 printer (drawer closed 04, offline 08), 2 offline cause (cover
// 04, paper end 20), 3 errors (none), 4 paper sensors (end 60); each with 12
// always set. GS r: 1 paper sensors (0C end, 03 near end), 2 drawer.
std::vector<std::uint8_t> Printer::Answer(const escpos::StatusRequest& request) const {
  using Kind = escpos::StatusRequest::Kind;
  const auto bits = [](bool on, int value) { return on ? value : 0; };
  const Conditions& c = conditions_;
  switch (request.kind) {
    case Kind::RealTime: {
      const int byte = request.n == 1   ? bits(!c.drawerOpen, 0x04) | bits(!Printing(), 0x08)
                       : request.n == 2 ? bits(c.coverOpen, 0x04) | bits(c.paperOut, 0x20)
                       : request.n == 4 ? bits(c.paperOut, 0x6C)
                                        : 0;
      return {static_cast<std::uint8_t>(0x12 | byte)};
    }
    case Kind::Sensor:
      return {static_cast<std::uint8_t>(request.n == 1 ? bits(c.paperOut, 0x0F) : bits(!c.drawerOpen, 0x01))};
    case Kind::Automatic: {
      if (request.n == 0) return {};
      const auto word = StatusWord();
      return {word.begin(), word.end()};
    }
    case Kind::Identity: break;
  }
  // model 'v'; type: multi-byte characters 01, cutter 02; firmware 0x17
  if (request.n == 1) return {0x76};
  if (request.n == 2) return {static_cast<std::uint8_t>(bits(settings_.ChineseMode(), 0x01) | bits(settings_.CutterEnabled(), 0x02))};
  return {0x17};
}

void Printer::Interpret(std::span<const std::uint8_t> bytes) {
  if (interpreter_) interpreter_->Feed(bytes);
}

void Printer::EndOfJob() {
  if (interpreter_ && Printing()) interpreter_->EndOfJob();
}

void Printer::PowerOff() {
  if (!held_.empty()) log_.Note(std::to_string(held_.size()) + " bytes never printed: " + ConditionsText(conditions_));
  if (interpreter_) interpreter_->PowerOff();
}

void Printer::SetConditions(const Conditions& conditions, double now) {
  if (conditions == conditions_) return;
  conditions_ = conditions;
  buffer_.SetRunning(Printing(), now);
  log_.Note("conditions: " + ConditionsText(conditions_));
  if (!Printing() || held_.empty()) return;
  std::vector<std::uint8_t> held;
  held.swap(held_);
  Interpret(held);
  // what was asked while it stood was answered then, or is stale now
  if (interpreter_) interpreter_->TakeRequests();
}

// R0: 0x10 always, 0x04 drawer closed, 0x08 offline, 0x20 cover open;
// R2: 0x0C paper out. Paper out and an open cover take the printer offline.
std::array<std::uint8_t, 4> Printer::StatusWord() const {
  std::uint8_t r0 = 0x10;
  if (!conditions_.drawerOpen) r0 |= 0x04;
  if (!Printing()) r0 |= 0x08;
  if (conditions_.coverOpen) r0 |= 0x20;
  return {r0, 0x00, static_cast<std::uint8_t>(conditions_.paperOut ? 0x0C : 0x00), 0x00};
}

std::vector<std::uint8_t> Printer::StatusAnswer() const {
  if (statusReply_) return *statusReply_;
  const auto word = StatusWord();
  return {word.begin(), word.end()};
}

void Printer::SetStatusReply(std::optional<std::vector<std::uint8_t>> reply) {
  if (reply == statusReply_) return;
  statusReply_ = std::move(reply);
  if (!statusReply_) log_.Note("status reply: the status word");
  else if (statusReply_->empty()) log_.Note("status reply: silent");
  else log_.Note("status reply: " + std::to_string(statusReply_->size()) + " chosen bytes");
}

}  // namespace vprinter
