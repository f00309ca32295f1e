// The bounded receive buffer shared by the USB read thread and the worker.
#include "fwflash/ReceiveBuffer.h"

#include <algorithm>

namespace fwflash {

void ReceiveBuffer::Append(std::span<const uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  const size_t fits = std::min(bytes.size(), kCapacity - count_);
  std::copy_n(bytes.begin(), fits, bytes_.begin() + static_cast<std::ptrdiff_t>(count_));
  count_ += fits;
  discarded_ += bytes.size() - fits;
}

bool ReceiveBuffer::TakeReply(Reply& reply) {
  std::lock_guard lock(mutex_);
  if (count_ < reply.size()) return false;
  std::copy_n(bytes_.begin(), reply.size(), reply.begin());
  count_ = 0;
  return true;
}

void ReceiveBuffer::Clear() {
  std::lock_guard lock(mutex_);
  count_ = 0;
}

size_t ReceiveBuffer::count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

size_t ReceiveBuffer::discarded() const {
  std::lock_guard lock(mutex_);
  return discarded_;
}

}  // namespace fwflash
