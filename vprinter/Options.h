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
  std::vector<Endpoint> status;  // status port listeners (1B 76 00); none by default
  bool render = true;            // receipts as PNG files in the journal directory
  int widthDots = 576;           // print width at start: 384, 512, 576 or 640
  int codePage = 3;              // character table at start (PC860)
  size_t bufferBytes = 4u << 20;  // receive buffer
  long drainPerSecond = 0;       // 0: the printer takes bytes as fast as they come
  std::string conditions;        // start-up conditions: "paper-out cover-open ..."
  std::string fontDir = "/usr/share/consolefonts";
  // the broadcast protocol on UDP: loopback listeners, or 0.0.0.0 (which
  // hears broadcasts) only inside a network namespace of its own
  std::vector<Endpoint> udp;
  std::string mac = "02-00-00-00-00-01";  // what a found reply carries
  std::string ip, mask, gateway;          // the printer's address settings at start; empty: the defaults
  int netPort = 9100;                     // the print port a found reply names
  bool dhcp = false;
  std::string statusReply;  // empty: the status word; "silent"; or hex bytes answered instead
  std::optional<Endpoint> web;  // the page that shows the printer live; none by default
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: usage error, see `error`
  std::string error;
};

// Parses the arguments after the program name.
ParseResult ParseOptions(std::span<const std::string> args);

std::string Usage();

}  // namespace vprinter
