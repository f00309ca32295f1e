// Runs the rkit program as a user would: arguments, standard input, and its
// exit status, standard output and standard error apart.
#pragma once

#include <string>
#include <vector>

namespace rkittest {

struct Outcome {
  int status = -1;  // exit status, -1 when it did not exit by itself within the time
  std::string out;
  std::string err;
};

Outcome RunRkit(const std::vector<std::string>& arguments, const std::string& input = "", int timeoutSeconds = 30);

// "1D 56 42\n" for each buffer, as --dry-run writes them, spelled here by hand.
std::string HexLines(const std::vector<std::string>& buffers);

}  // namespace rkittest
