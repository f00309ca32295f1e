// Parsing and checking vprinter's arguments.
#include "vprinter/Options.h"

#include <arpa/inet.h>

#include <charconv>

#include "vprinter/Firmware.h"

namespace vprinter {
namespace {

bool ParseNumber(const std::string& text, long max, long& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && value >= 0 && value <= max;
}

// "ADDR:PORT" with ADDR in 127.0.0.0/8: nothing vprinter does reaches another machine.
std::optional<Endpoint> ParseEndpoint(const std::string& text, std::string& error) {
  const size_t colon = text.rfind(':');
  in_addr address{};
  long port = 0;
  if (colon == std::string::npos || inet_pton(AF_INET, text.substr(0, colon).c_str(), &address) != 1 ||
      !ParseNumber(text.substr(colon + 1), 65535, port)) {
    error = "--tcp wants ADDR:PORT, got '" + text + "'";
    return std::nullopt;
  }
  if ((ntohl(address.s_addr) >> 24) != 127) {
    error = "--tcp listens on loopback addresses only (127.x.x.x), got '" + text + "'";
    return std::nullopt;
  }
  return Endpoint{text.substr(0, colon), static_cast<std::uint16_t>(port)};
}

}  // namespace

ParseResult ParseOptions(std::span<const std::string> args) {
  Options options;
  std::string error;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--firmware") {
      options.firmware = true;
      continue;
    }
    if (arg != "--tcp" && arg != "--pty" && arg != "--journal" && arg != "--lifetime" && arg != "--fault") {
      return {std::nullopt, "unknown argument '" + arg + "'"};
    }
    if (i + 1 >= args.size()) return {std::nullopt, arg + " wants a value"};
    const std::string& value = args[++i];
    if (arg == "--tcp") {
      auto endpoint = ParseEndpoint(value, error);
      if (!endpoint) return {std::nullopt, error};
      options.tcp.push_back(*endpoint);
    } else if (arg == "--pty") {
      options.ptyLink = value;
    } else if (arg == "--journal") {
      options.journalDir = value;
    } else if (arg == "--fault") {
      if (!ParseFirmwareFault(value)) return {std::nullopt, "unknown --fault '" + value + "'"};
      options.firmwareFault = value;
    } else {
      long seconds = 0;
      if (!ParseNumber(value, 1000000, seconds) || seconds == 0) {
        return {std::nullopt, "--lifetime wants a positive number of seconds"};
      }
      options.lifetimeSeconds = static_cast<int>(seconds);
    }
  }
  if (options.help) return {options, {}};
  if (options.journalDir.empty()) return {std::nullopt, "--journal DIR is required"};
  if (!options.firmwareFault.empty() && !options.firmware) return {std::nullopt, "--fault needs --firmware"};
  if (options.tcp.empty()) options.tcp.push_back({"127.0.0.1", 9100});
  return {options, {}};
}

std::string Usage() {
  return R"(vprinter: a virtual receipt printer on loopback and on a serial pty.

usage: vprinter [--tcp ADDR:PORT]... [--pty LINKPATH] --journal DIR [--lifetime SECONDS]
                [--firmware [--fault FAULT]]
       vprinter --help

  --tcp ADDR:PORT    listen for print data on a loopback address (127.x.x.x);
                     repeatable; port 0 takes a free port. Default 127.0.0.1:9100.
  --pty LINKPATH     create a pty pair and read what a program writes to its
                     slave end; LINKPATH becomes a symlink to the slave.
  --journal DIR      where the record goes (created if missing; earlier
                     journal, connection files, ready and stop are removed):
                       DIR/journal.txt   one line per event:
                         ready <ms> <source>...        every listener is up
                         open <id> <ms> <source> [<peer>]
                         close <id> <ms> <bytes>
                         stop <ms> <reason>            signal, stop-file, lifetime
                       DIR/conn-<id>.bin the bytes each connection received
                       DIR/ready         created once every listener is up
                     Sources read tcp:ADDR:PORT or pty:SLAVEPATH.
  --lifetime SECONDS stop after this long (a safety cap for tests).
  --firmware         answer the firmware upgrade instead of printing: echo the
                     announce and length commands, take N + 4 data bytes, echo
                     the checksum received; each image goes to
                     DIR/firmware-<n>.fmw (n from 1).
  --fault FAULT      with --firmware: c1-echo, c2-echo, end-echo (a wrong
                     echo), c1-silent, c2-silent, end-silent (no reply),
                     close-after:K (hang up after K data bytes; the pty stops
                     listening instead).

vprinter stops on SIGTERM or SIGINT, or when the file DIR/stop appears.
Exit status: 0 stopped normally, 1 runtime failure (bind, pty, journal), 2 usage.
)";
}

}  // namespace vprinter
