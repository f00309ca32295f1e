// rkit's command line: the link, the conventions shared by every command,
// the command's name, its words and its options.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rkit/Link.h"

namespace rkit {

struct Invocation {
  std::optional<LinkChoice> link;
  bool dryRun = false;
  bool json = false;
  bool help = false;
  std::uint16_t statusPort = 4000;  // the printer's status port, for status, set-ip and set-id over TCP
  std::string command;              // empty: none given
  std::vector<std::string> words;   // what follows the command that is not an option
  std::map<std::string, std::string> options;  // the command's options by name ("--cut"), "" for switches
};

struct ParseResult {
  std::optional<Invocation> invocation;  // nullopt: a usage error, `error` says which
  std::string error;
};

// Parses the arguments after the program's name. Options may come before or
// after the command; "--" ends them.
ParseResult ParseCommandLine(std::span<const std::string> args);

// "--net HOST[:PORT]", "--serial DEVICE[:BAUD[,FLOW]]" (FLOW none, cts or
// xonxoff), "--usb DEVICE", "--lpt DEVICE" as a link; nullopt with `error` set.
std::optional<LinkChoice> ParseLink(const std::string& flag, const std::string& value, std::string& error);

// A whole decimal number in [low, high]; nullopt otherwise.
std::optional<long> ParseNumber(const std::string& text, long low, long high);

}  // namespace rkit
