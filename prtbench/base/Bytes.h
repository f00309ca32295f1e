// Bytes for the printer: what every command builder returns and every send takes.
#pragma once

#include <cstdint>
#include <vector>

namespace prtbench {

using Bytes = std::vector<std::uint8_t>;

}  // namespace prtbench
