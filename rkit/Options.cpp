// Parsing the command line into an Invocation; the commands judge their own words.
#include "rkit/Options.h"

#include <charconv>

namespace rkit {
namespace {

using prtbench::ParseIpv4;

// Options of the commands: true when the option takes a value.
const std::map<std::string, bool> kCommandOptions = {
    {"--hex", false},  {"--cut", false},    {"--repeat", true}, {"--codepage", true}, {"--file", true},
    {"--level", true}, {"--size", true},    {"--height", true}, {"--wait", true},     {"--mac", true},
    {"--mask", true},  {"--gateway", true}, {"--dhcp", false},  {"--width", true},     {"--mode", true},
    {"--printer-type", true}, {"--max-length", true}, {"--direction", true},
};

bool IsLinkFlag(const std::string& arg) {
  return arg == "--net" || arg == "--serial" || arg == "--usb" || arg == "--lpt";
}

std::optional<LinkChoice> SerialLink(const std::string& value, std::string& error) {
  LinkChoice link;
  link.kind = LinkKind::Serial;
  const size_t colon = value.find(':');
  link.device = value.substr(0, colon);
  if (colon == std::string::npos) return link;
  const std::string rest = value.substr(colon + 1);
  const size_t comma = rest.find(',');
  const auto baud = ParseNumber(rest.substr(0, comma), 1200, 921600);
  if (!baud) {
    error = "--serial wants DEVICE[:BAUD[,FLOW]] with a baud rate like 9600, got '" + value + "'";
    return std::nullopt;
  }
  link.line.baudRate = static_cast<std::uint32_t>(*baud);
  const std::string flow = comma == std::string::npos ? "none" : rest.substr(comma + 1);
  if (flow != "none" && flow != "cts" && flow != "xonxoff") {
    error = "--serial flow control is none, cts or xonxoff, got '" + flow + "'";
    return std::nullopt;
  }
  link.line.ctsFlow = flow == "cts";
  link.xonXoff = flow == "xonxoff";
  return link;
}

}  // namespace

std::optional<long> ParseNumber(const std::string& text, long low, long high) {
  long value = 0;
  const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || problem != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<LinkChoice> ParseLink(const std::string& flag, const std::string& value, std::string& error) {
  if (value.empty()) {
    error = flag + " wants a device or address";
    return std::nullopt;
  }
  if (flag == "--serial") return SerialLink(value, error);
  LinkChoice link;
  if (flag != "--net") {
    link.kind = flag == "--usb" ? LinkKind::Usb : LinkKind::Lpt;
    link.device = value;
    return link;
  }
  const size_t colon = value.find(':');
  const auto host = ParseIpv4(value.substr(0, colon));
  const auto port = colon == std::string::npos ? std::optional<long>(9100) : ParseNumber(value.substr(colon + 1), 1, 65535);
  if (!host || !port) {
    error = "--net wants HOST[:PORT] with a dotted IPv4 address, got '" + value + "'";
    return std::nullopt;
  }
  link.host = *host;
  link.port = static_cast<std::uint16_t>(*port);
  return link;
}

ParseResult ParseCommandLine(std::span<const std::string> args) {
  Invocation invocation;
  std::optional<int> timeout;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      (invocation.command.empty() ? invocation.command : invocation.words.emplace_back()) = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") invocation.help = true;
    else if (arg == "--dry-run") invocation.dryRun = true;
    else if (arg == "--json") invocation.json = true;
    else {
      const bool linkFlag = IsLinkFlag(arg);
      const auto command = kCommandOptions.find(arg);
      const bool takesValue = linkFlag || arg == "--timeout" || arg == "--status-port" ||
                              (command != kCommandOptions.end() && command->second);
      if (!linkFlag && arg != "--timeout" && arg != "--status-port" && command == kCommandOptions.end()) {
        return {std::nullopt, "unknown option " + arg};
      }
      if (takesValue && i + 1 >= args.size()) return {std::nullopt, arg + " wants a value"};
      const std::string value = takesValue ? args[++i] : "";
      std::string error;
      if (linkFlag) {
        if (invocation.link) return {std::nullopt, "give one link: --net, --serial, --usb or --lpt"};
        invocation.link = ParseLink(arg, value, error);
        if (!invocation.link) return {std::nullopt, error};
      } else if (arg == "--timeout") {
        const auto seconds = ParseNumber(value, 1, 30);
        if (!seconds) return {std::nullopt, "--timeout wants 1 to 30 seconds"};
        timeout = static_cast<int>(*seconds);
      } else if (arg == "--status-port") {
        const auto port = ParseNumber(value, 1, 65535);
        if (!port) return {std::nullopt, "--status-port wants 1 to 65535"};
        invocation.statusPort = static_cast<std::uint16_t>(*port);
      } else {
        invocation.options[arg] = value;
      }
    }
  }
  if (timeout && invocation.link) invocation.link->connectSeconds = *timeout;
  return {std::move(invocation), {}};
}

}  // namespace rkit
