// Golden bytes written as printer manuals write them: "1F 1B 1F 13".
#pragma once

#include <sstream>
#include <string>

#include "prtbench/base/Bytes.h"

namespace configtest {

inline prtbench::Bytes HexBytes(const std::string& text) {
  prtbench::Bytes bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) bytes.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  return bytes;
}

}  // namespace configtest
