// The virtual printer as one machine that all its connections share: the
// receive buffer, the conditions a technician may need to reproduce (paper
// out, cover open, drawer open, offline), the status word they show on the
// status port, and the interpreter that prints what the buffer takes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "vprinter/ReceiveBuffer.h"
#include "vprinter/escpos/Interpreter.h"

namespace vprinter {

struct Conditions {
  bool paperOut = false, coverOpen = false, drawerOpen = false, offline = false;
  bool operator==(const Conditions&) const = default;
};

// Words "paper-out", "cover-open", "drawer-open", "offline" separated by
// blanks, commas or newlines; nullopt, with the word in `error`, for others.
std::optional<Conditions> ParseConditions(const std::string& words, std::string& error);
std::string ConditionsText(const Conditions& conditions);

// What a test makes the status port answer instead of the status word:
// "silent" (an empty answer: nothing is sent) or 1 to 20 bytes written as
// hex pairs, blanks and line ends between them allowed ("08", "14 00 0C 00").
// nullopt for other text.
std::optional<std::vector<std::uint8_t>> ParseStatusReply(const std::string& text);

// A connection's automatic status back (GS a with n other than 0): the status
// word goes back when it is asked for and again each time it changes.
struct AutomaticStatus {
  bool on = false;
  std::array<std::uint8_t, 4> sent{};  // the word last sent
};

struct PrinterSetup {
  size_t bufferBytes = 4u << 20;
  double drainPerSecond = 0;  // 0: unlimited
  Conditions conditions;
  int widthDots = 576;
  int codePage = 3;
  escpos::Ipv4 ip{192, 168, 123, 100}, mask{255, 255, 255, 0}, gateway{192, 168, 123, 1};
};

class Printer {
 public:
  // `typeface` nullptr: nothing is interpreted or printed (vprinter
  // --no-render); the buffer, conditions and status still work.
  Printer(const PrinterSetup& setup, std::unique_ptr<escpos::Typeface> typeface, escpos::ReceiptSink& sink,
          escpos::EventLog& log);

  // Bytes from a connection arriving at `now` (seconds on one clock); returns
  // the answers to its status requests, for that connection. DLE EOT is
  // answered even while the mechanism stands. GS a turns the connection's
  // `automatic` status on or off.
  std::vector<std::uint8_t> Receive(std::span<const std::uint8_t> bytes, double now, AutomaticStatus& automatic);
  // The status word when `automatic` is on and the word changed since it was
  // last sent (which it now is); empty otherwise.
  std::vector<std::uint8_t> StatusChange(AutomaticStatus& automatic) const;
  void EndOfJob();
  void PowerOff();
  void SetConditions(const Conditions& conditions, double now);
  const Conditions& conditions() const { return conditions_; }
  // Whether the mechanism prints (no condition stops it).
  bool Printing() const;
  // The status word R0 R1 R2 R3 answered to 1B 76 00.
  std::array<std::uint8_t, 4> StatusWord() const;
  // What 1B 76 00 is answered with: the chosen reply while one is set
  // (empty: silence), else the status word.
  std::vector<std::uint8_t> StatusAnswer() const;
  // The bytes that answer `request`; identifiers are vprinter's own.
  std::vector<std::uint8_t> Answer(const escpos::StatusRequest& request) const;
  // A chosen reply as ParseStatusReply gives it; nullopt: the status word again.
  void SetStatusReply(std::optional<std::vector<std::uint8_t>> reply);
  // The settings, for the status port's configuration frames.
  escpos::Settings& settings() { return settings_; }

 private:
  void Interpret(std::span<const std::uint8_t> bytes);
  // DLE EOT n in bytes that are not interpreted now, answered.
  std::vector<std::uint8_t> RealTime(std::span<const std::uint8_t> bytes);

  escpos::EventLog& log_;
  escpos::Settings settings_;
  std::unique_ptr<escpos::Typeface> typeface_;
  std::optional<escpos::Interpreter> interpreter_;
  ReceiveBuffer buffer_;
  Conditions conditions_;
  std::optional<std::vector<std::uint8_t>> statusReply_;
  std::vector<std::uint8_t> held_;  // taken while the mechanism stands; at most the buffer's size
  std::uint64_t received_ = 0;
  std::vector<std::uint8_t> realTimeTail_;  // the last bytes RealTime saw: a request may straddle reads
};

}  // namespace vprinter
