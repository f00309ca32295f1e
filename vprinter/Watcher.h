// What the print loop tells someone watching the printer (the web page): each
// call is made on the print loop's thread and must return at once, so a
// watcher only hands the news over and does its work on threads of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "vprinter/Printer.h"
#include "vprinter/escpos/Output.h"
#include "vprinter/escpos/Settings.h"

namespace vprinter {

class Watcher {
 public:
  virtual ~Watcher() = default;
  // A connection began; its bytes go to DIR/conn-<id>.bin.
  virtual void Opened(int id, std::string_view source, std::string_view peer) = 0;
  // `bytes` more bytes are in DIR/conn-<id>.bin.
  virtual void Received(int id, std::size_t bytes) = 0;
  virtual void Closed(int id, std::uint64_t bytes) = 0;
  // DIR/receipt-<number>.png and .txt are written.
  virtual void Printed(int number, const escpos::Receipt& receipt) = 0;
  // The printer as it stands; called often, a watcher keeps what changed.
  virtual void PrinterState(const escpos::Settings& settings, const Conditions& conditions,
                            std::span<const std::uint8_t> statusAnswer) = 0;
};

}  // namespace vprinter
