// The status text behind its lock, the byte counter's wrap.
#include "prtbench/link/Shared.h"

#include <utility>

namespace prtbench {

void StatusText::Set(std::string text) {
  std::lock_guard lock(mutex_);
  text_ = std::move(text);
}

std::string StatusText::Get() const {
  std::lock_guard lock(mutex_);
  return text_;
}

std::int32_t ByteCounter::Add(std::uint32_t bytes) {
  // atomic signed arithmetic wraps (two's complement, no undefined result);
  // the new total is computed unsigned for the same reason
  const auto delta = static_cast<std::int32_t>(bytes);
  const auto before = static_cast<std::uint32_t>(total_.fetch_add(delta));
  return static_cast<std::int32_t>(before + bytes);
}

}  // namespace prtbench
