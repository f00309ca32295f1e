// Parsing and checking vprinter's arguments.
#include "vprinter/Options.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>

#include "vprinter/Discovery.h"
#include "vprinter/Firmware.h"
#include "vprinter/Printer.h"
#include "vprinter/escpos/CodePage.h"

namespace vprinter {
namespace {

bool ParseNumber(const std::string& text, long max, long& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && value >= 0 && value <= max;
}

// "ADDR:PORT" with ADDR in 127.0.0.0/8: nothing vprinter does reaches another
// machine. `anyAllowed` lets 0.0.0.0 through, for the UDP listener that must
// hear broadcasts (Server refuses it outside a namespace of its own).
std::optional<Endpoint> ParseEndpoint(const std::string& option, const std::string& text, std::string& error,
                                      bool anyAllowed = false) {
  const size_t colon = text.rfind(':');
  in_addr address{};
  long port = 0;
  if (colon == std::string::npos || inet_pton(AF_INET, text.substr(0, colon).c_str(), &address) != 1 ||
      !ParseNumber(text.substr(colon + 1), 65535, port)) {
    error = option + " wants ADDR:PORT, got '" + text + "'";
    return std::nullopt;
  }
  if ((ntohl(address.s_addr) >> 24) != 127 && !(anyAllowed && address.s_addr == INADDR_ANY)) {
    error = option + " listens on loopback addresses only (127.x.x.x" + (anyAllowed ? ", or 0.0.0.0" : "") +
            "), got '" + text + "'";
    return std::nullopt;
  }
  return Endpoint{text.substr(0, colon), static_cast<std::uint16_t>(port)};
}

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

constexpr const char* kValueOptions[] = {"--tcp",      "--status", "--pty",    "--journal", "--font-dir",
                                         "--fault",    "--lifetime", "--width", "--codepage", "--buffer",
                                         "--drain",    "--udp",    "--mac",    "--ip",      "--mask",
                                         "--gateway",  "--net-port", "--status-reply", "--web"};

bool IsAddress(const std::string& text) {
  in_addr address{};
  return inet_pton(AF_INET, text.c_str(), &address) == 1;
}


bool IsFlag(const std::string& arg, Options& options) {
  if (arg == "--help" || arg == "-h") options.help = true;
  else if (arg == "--firmware") options.firmware = true;
  else if (arg == "--dhcp") options.dhcp = true;
  else if (arg == "--no-render") options.render = false;
  else if (arg == "--paper-out" || arg == "--cover-open" || arg == "--drawer-open" || arg == "--offline")
    options.conditions += arg.substr(2) + " ";
  else return false;
  return true;
}

// The option `arg` with its `value`; false with a message in `error`.
bool TakeValue(const std::string& arg, const std::string& value, Options& options, std::string& error) {
  long number = 0;
  if (arg == "--tcp" || arg == "--status") {
    auto endpoint = ParseEndpoint(arg, value, error);
    if (endpoint) (arg == "--tcp" ? options.tcp : options.status).push_back(*endpoint);
    return endpoint.has_value();
  }
  if (arg == "--web") {
    if (options.web) return Fail(error, "--web is given once");
    options.web = ParseEndpoint(arg, value, error);
    return options.web.has_value();
  }
  if (arg == "--udp") {
    auto endpoint = ParseEndpoint(arg, value, error, true);
    if (endpoint) options.udp.push_back(*endpoint);
    return endpoint.has_value();
  }
  if (arg == "--ip" || arg == "--mask" || arg == "--gateway") {
    if (!IsAddress(value)) return Fail(error, arg + " wants a dotted IPv4 address, got '" + value + "'");
    (arg == "--ip" ? options.ip : arg == "--mask" ? options.mask : options.gateway) = value;
    return true;
  }
  if (arg == "--mac") {
    if (!ParseMac(value)) return Fail(error, "--mac wants six hex bytes like 02-00-00-00-00-01, got '" + value + "'");
    options.mac = value;
    return true;
  }
  if (arg == "--status-reply") {
    if (!ParseStatusReply(value)) return Fail(error, "--status-reply wants 'silent' or 1 to 20 hex bytes, got '" + value + "'");
    options.statusReply = value;
    return true;
  }
  if (arg == "--pty") options.ptyLink = value;
  else if (arg == "--journal") options.journalDir = value;
  else if (arg == "--font-dir") options.fontDir = value;
  else if (arg == "--fault") {
    if (!ParseFirmwareFault(value)) return Fail(error, "unknown --fault '" + value + "'");
    options.firmwareFault = value;
  } else if (arg == "--lifetime") {
    if (!ParseNumber(value, 1000000, number) || number == 0) return Fail(error, "--lifetime wants a positive number of seconds");
    options.lifetimeSeconds = static_cast<int>(number);
  } else if (arg == "--width") {
    if (!ParseNumber(value, 640, number) || (number != 384 && number != 512 && number != 576 && number != 640))
      return Fail(error, "--width wants 384, 512, 576 or 640 dots");
    options.widthDots = static_cast<int>(number);
  } else if (arg == "--codepage") {
    if (!ParseNumber(value, 255, number) || !escpos::FindCodePage(static_cast<int>(number)))
      return Fail(error, "--codepage wants a table number the printer has (0-5, 16-19, ...)");
    options.codePage = static_cast<int>(number);
  } else if (arg == "--buffer") {
    if (!ParseNumber(value, 64l << 20, number) || number == 0) return Fail(error, "--buffer wants 1 to 67108864 bytes");
    options.bufferBytes = static_cast<size_t>(number);
  } else if (arg == "--net-port") {
    if (!ParseNumber(value, 65535, number) || number == 0) return Fail(error, "--net-port wants 1 to 65535");
    options.netPort = static_cast<int>(number);
  } else if (arg == "--drain") {
    if (!ParseNumber(value, 1000000000, number) || number == 0) return Fail(error, "--drain wants bytes per second, at least 1");
    options.drainPerSecond = number;
  } else {
    return Fail(error, "unknown argument '" + arg + "'");
  }
  return true;
}

}  // namespace

ParseResult ParseOptions(std::span<const std::string> args) {
  Options options;
  std::string error;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (IsFlag(arg, options)) continue;
    if (std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) == std::end(kValueOptions)) {
      return {std::nullopt, "unknown argument '" + arg + "'"};
    }
    if (i + 1 >= args.size()) return {std::nullopt, arg + " wants a value"};
    if (!TakeValue(arg, args[++i], options, error)) return {std::nullopt, error};
  }
  if (options.help) return {options, {}};
  if (options.journalDir.empty()) return {std::nullopt, "--journal DIR is required"};
  if (!options.firmwareFault.empty() && !options.firmware) return {std::nullopt, "--fault needs --firmware"};
  if (options.tcp.empty()) options.tcp.push_back({"127.0.0.1", 9100});
  return {options, {}};
}

std::string Usage() {
  return R"(vprinter: a virtual receipt printer on loopback and on a serial pty.

usage: vprinter [--tcp ADDR:PORT]... [--status ADDR:PORT]... [--pty LINKPATH] --journal DIR
                [--status-reply silent|HEX] [--udp ADDR:PORT]... [--mac MAC] [--ip ADDR]
                [--mask ADDR] [--gateway ADDR] [--net-port N] [--dhcp]
                [--lifetime SECONDS] [--firmware [--fault FAULT]]
                [--no-render] [--width DOTS] [--codepage N] [--font-dir DIR]
                [--buffer BYTES] [--drain N] [--paper-out] [--cover-open] [--drawer-open] [--offline]
                [--web ADDR:PORT]
       vprinter --help

  --tcp ADDR:PORT    listen for print data on a loopback address (127.x.x.x);
                     repeatable; port 0 takes a free port. Default 127.0.0.1:9100.
  --status ADDR:PORT the printer's status port (its TCP 4000) on a loopback
                     address; repeatable. Each 1B 76 00 is answered with the
                     status word R0 R1 R2 R3: R0 has 0x10 always, 0x04 while
                     the drawer is closed, 0x08 offline, 0x20 cover open; R2
                     has 0x0C on paper out; R1 and R3 are 0. Configuration
                     frames sent there (new address 22, identifier 33) change
                     the printer's settings like on the print port and are
                     noted in DIR/printer.log ("status port: configuration:
                     IP address 192.168.1.100", "... identifier 1.2.3.4").
  --status-reply R   answer 1B 76 00 with R instead of the status word:
                     "silent" (no answer at all) or 1 to 20 hex bytes ("08",
                     "14 00 0C 00"), so a short reply can be tried. Writing R
                     to DIR/status-reply while vprinter runs changes it
                     ("normal" there: the status word); removing the file
                     brings back the start-up answer.
  --udp ADDR:PORT    the broadcast protocol (the printer's UDP 9000): a find
                     "LM0001FIND" is answered with the 34-byte found reply
                     (LM0001FOUND, MAC, 00 00, IP, mask, gateway, print port
                     little-endian, DHCP flag); a 33-byte save "LM0001SAVE"
                     whose MAC is ours takes its IP, mask, gateway and DHCP
                     flag. On a loopback address the reply goes back to the
                     sender; on 0.0.0.0, which hears broadcasts, it is
                     broadcast to the sender's port, as a printer does. 0.0.0.0
                     is refused unless vprinter runs in a network namespace
                     other than that of process 1 (one a test made for it).
                     Several vprinters may share the port. The record is kept
                     in DIR/discovery ("mac M ip A mask M gateway G port P
                     dhcp D"); finds and saves are noted in DIR/printer.log.
  --mac MAC          the MAC a found reply carries (default 02-00-00-00-00-01).
  --ip, --mask, --gateway ADDR
                     the printer's address settings at start (default
                     192.168.123.100, 255.255.255.0, 192.168.123.1); the
                     configuration frames and saves change them.
  --net-port N       the print port a found reply names (default 9100).
  --dhcp             a found reply says the printer uses DHCP.
  --pty LINKPATH     create a pty pair and read what a program writes to its
                     slave end; LINKPATH becomes a symlink to the slave.
  --journal DIR      where the record goes (created, with missing parents;
                     earlier journal, connection files, receipts,
                     printer.log, conditions, ready and stop are removed):
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

Printing. Without --firmware, the --tcp listeners and the pty feed one
printer, which interprets ESC/POS (text, code pages, GS v 0, ESC *, FS q/p,
GS ( L and GS 8 L, GS ( k QR, GS k barcodes, GS V cuts) and the 1F 1B 1F
configuration frames (density, code page, width, DIP byte, black mark,
network, Bluetooth, identifier; 67 prints a self test with the settings).
It prints on a 1-bit page 384 to 640 dots wide at 203 dpi:
  DIR/receipt-<n>.png   one per cut, and one for paper printed but not cut
                        when a connection ends; black is a dot. Its text
                        chunk "Comment" lists the printer's settings.
  DIR/receipt-<n>.txt   beside it: the printed text in UTF-8, a [marker]
                        for each picture or symbol, the ending in brackets.
  DIR/printer.log       settings changed, unknown bytes skipped, what could
                        not be printed, bytes lost, conditions (up to 4 MiB).
  --no-render        take the data but print nothing (no fonts needed).
  --width DOTS       print width at start: 384, 512, 576 (default) or 640.
                     The width frame changes it from the next receipt; a DIP
                     byte with bit 0x04 clear means 58 mm paper (384 dots).
  --codepage N       character table at start, numbered as ESC t does: 0
                     PC437, 1 Katakana, 2 PC850, 3 PC860 (default), 4 PC863,
                     5 PC865, 16 WPC1252, 17 PC866, 18 PC852, 19 PC858 (also
                     50, 52, 53, 55, 59, 71). FS & turns on GBK double-byte
                     text.
  --font-dir DIR     the console fonts (default /usr/share/consolefonts, from
                     the package console-setup-linux): font A is
                     Uni2-Terminus24x12 (12 x 24), font B Uni2-Terminus16
                     (8 x 16 in 9 x 17 cells). Characters they lack, and GBK
                     text, come from /usr/share/unifont/unifont.hex (package
                     unifont), scaled to the cell.
  --buffer BYTES     receive buffer size (default 4194304, at most 64 MiB).
  --drain N          the mechanism takes N bytes per second from the buffer
                     (default: as fast as they come). Bytes arriving while
                     the buffer is full are lost, as on a real printer.
  --paper-out, --cover-open, --drawer-open, --offline
                     start with that condition. All but drawer-open stop the
                     mechanism: data wait in the buffer (and are lost once it
                     is full) and print when the condition ends. Writing
                     words to DIR/conditions while vprinter runs replaces the
                     conditions ("paper-out cover-open", empty for none);
                     removing the file brings back the start-up ones.

Watching. --web ADDR:PORT serves a page on a loopback address (port 0: any
free port) that shows, newest first and as they happen, each receipt (PNG
and text), each connection (source, time, bytes in hex), the settings the
configuration frames left, the firmware images received, and switches for
the conditions and the status reply (they write DIR/conditions and
DIR/status-reply). DIR/web holds the page's address (http://ADDR:PORT/) once
it listens, before DIR/ready. The page answers only requests whose Host is
ADDR:PORT, reads at most 16 KiB of a request, and changes state only on a
POST from its own origin.

vprinter stops on SIGTERM or SIGINT, or when the file DIR/stop appears.
Exit status: 0 stopped normally, 1 runtime failure (bind, pty, journal,
fonts), 2 usage.
)";
}

}  // namespace vprinter
