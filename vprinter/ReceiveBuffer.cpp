// The receive buffer's level over time.
#include "vprinter/ReceiveBuffer.h"

#include <algorithm>
#include <cmath>

namespace vprinter {

ReceiveBuffer::ReceiveBuffer(size_t capacity, double drainPerSecond) : capacity_(capacity), drain_(drainPerSecond) {}

void ReceiveBuffer::Advance(double now) {
  if (running_) level_ = drain_ <= 0 ? 0 : std::max(0.0, level_ - drain_ * std::max(0.0, now - last_));
  last_ = std::max(last_, now);
}

size_t ReceiveBuffer::Offer(size_t count, double now) {
  Advance(now);
  if (running_ && drain_ <= 0) return count;
  const size_t room = capacity_ - std::min(capacity_, static_cast<size_t>(std::ceil(level_)));
  const size_t accepted = std::min(count, room);
  level_ += static_cast<double>(accepted);
  return accepted;
}

void ReceiveBuffer::SetRunning(bool running, double now) {
  Advance(now);
  running_ = running;
}

size_t ReceiveBuffer::Level(double now) {
  Advance(now);
  return static_cast<size_t>(std::ceil(level_));
}

}  // namespace vprinter
