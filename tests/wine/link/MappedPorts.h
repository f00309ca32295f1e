// Serial and parallel ports for Wine tests: Wine's COMn or LPTn mapped to one
// end of a socat pty pair, and a reader on the other end.
#pragma once

#include <cstddef>
#include <string>

#include "support/Unix.h"

namespace linktest {

// Maps Wine's `port` ("COM7", "LPT2") to a fresh pty pair; the Unix path of
// the other end, "" on failure.
inline std::string MapPort(const std::string& port) {
  using namespace testsupport;
  const std::string dir = MakeTempDir();
  const std::string script = Env("KIT_SOURCE_DIR") + "/tests/support/map-com";
  if (RunShell(ShellQuote(script) + " " + port + " " + ShellQuote(dir)) != 0) return {};
  std::string peer = ReadFile(dir + "/peer.path");
  while (!peer.empty() && (peer.back() == '\n' || peer.back() == '\r')) peer.pop_back();
  return peer;
}

// Starts reading `count` bytes from `peer`; they land in the returned file,
// which appears only once all of them arrived (or after 20 s).
inline std::string StartReading(const std::string& peer, size_t count) {
  using namespace testsupport;
  const std::string out = MakeTempDir() + "/received";
  StartShell("timeout 20 head -c " + std::to_string(count) + " " + ShellQuote(peer) + " >" + ShellQuote(out + ".part") +
             "; mv " + ShellQuote(out + ".part") + " " + ShellQuote(out));
  return out;
}

}  // namespace linktest
