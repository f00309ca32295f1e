// The printer's side of the broadcast protocol on UDP port 9000: a find is
// answered with a found reply that carries the printer's MAC, address, mask,
// gateway, print port and DHCP flag; a save whose MAC is the printer's own
// takes the new address settings. The address settings are the printer's
// (the configuration frames change them too), so a new address given over
// TCP port 4000 shows in the next found reply.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "vprinter/escpos/Output.h"
#include "vprinter/escpos/Settings.h"

namespace vprinter {

using Mac = std::array<std::uint8_t, 6>;

// "AA-BB-CC-DD-EE-FF" (or with colons); nullopt for anything else.
std::optional<Mac> ParseMac(const std::string& text);
std::string MacText(const Mac& mac);

// What the printer tells a search about itself besides its addresses.
struct Identity {
  Mac mac{0x02, 0x00, 0x00, 0x00, 0x00, 0x01};  // locally administered
  std::uint16_t port = 9100;
  bool dhcp = false;
};

class DiscoveryResponder {
 public:
  DiscoveryResponder(Identity identity, escpos::Settings& settings, escpos::EventLog& log)
      : identity_(identity), settings_(settings), log_(log) {}

  // One datagram from `peer` ("ADDR:PORT"): the found reply to send back for
  // a find, nothing for anything else. A save for this MAC changes the
  // address settings and the DHCP flag (its port bytes are not taken: the
  // sending program always puts 9100 there).
  std::optional<std::vector<std::uint8_t>> OnDatagram(std::span<const std::uint8_t> datagram, const std::string& peer);

  // One line: "mac M ip A mask M gateway G port P dhcp D".
  std::string RecordText() const;

 private:
  std::vector<std::uint8_t> FoundReply() const;
  void TakeSave(std::span<const std::uint8_t> datagram, const std::string& peer);

  Identity identity_;
  escpos::Settings& settings_;
  escpos::EventLog& log_;
};

}  // namespace vprinter
