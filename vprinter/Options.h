// vprinter's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vprinter {

struct Endpoint {
  std::string address;  // dotted IPv4, always a loopback address (127.0.0.0/8)
  std::uint16_t port;   // 0: any free port, reported in the journal's ready line
};

struct Options {
  std::vector<Endpoint> tcp;  // 127.0.0.1:9100 when none is given
  std::string ptyLink;        // empty: no serial pty
  std::string journalDir;
  int lifetimeSeconds = 0;    // 0: no cap
  bool firmware = false;      // answer the firmware upgrade protocol
  std::string firmwareFault;  // empty, or a fault switch of ParseFirmwareFault
  bool help = false;
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: usage error, see `error`
  std::string error;
};

// Parses the arguments after the program name.
ParseResult ParseOptions(std::span<const std::string> args);

std::string Usage();

}  // namespace vprinter
