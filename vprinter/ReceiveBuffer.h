// The printer's receive buffer: bytes wait there until the mechanism takes
// them at its drain rate; what arrives while it is full is lost, as on a real
// printer without flow control. While the mechanism stands (paper out, cover
// open, offline) nothing drains.
#pragma once

#include <cstddef>

namespace vprinter {

class ReceiveBuffer {
 public:
  // `drainPerSecond` 0: the mechanism takes everything at once.
  ReceiveBuffer(size_t capacity, double drainPerSecond);

  // How many of `count` bytes arriving at `now` (seconds) fit: the first
  // that many are kept, the rest are lost.
  size_t Offer(size_t count, double now);
  void SetRunning(bool running, double now);
  // Bytes waiting at `now`.
  size_t Level(double now);

 private:
  void Advance(double now);

  size_t capacity_;
  double drain_;
  double level_ = 0;
  double last_ = 0;
  bool running_ = true;
};

}  // namespace vprinter
