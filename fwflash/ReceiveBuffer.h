// Bytes the USB read thread collects for the upgrade worker, who takes them
// four at a time as replies. Bounded and locked: the reader never writes past
// the buffer and no byte is lost between an append and a take.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "fwflash/Upgrade.h"

namespace fwflash {

class ReceiveBuffer {
 public:
  // Far more than a reply (4 bytes) plus one read of the thread (32 bytes).
  static constexpr size_t kCapacity = 4096;

  // Appends what fits; bytes beyond kCapacity are discarded and counted.
  // Taking a reply drops every byte after the fourth anyway, so a full buffer
  // changes no reply.
  void Append(std::span<const uint8_t> bytes);
  // When four or more bytes are waiting: copies the first four into `reply`,
  // empties the buffer and returns true. Otherwise leaves both unchanged.
  bool TakeReply(Reply& reply);
  void Clear();
  size_t count() const;
  size_t discarded() const;  // bytes dropped because the buffer was full

 private:
  mutable std::mutex mutex_;
  std::array<uint8_t, kCapacity> bytes_{};
  size_t count_ = 0;
  size_t discarded_ = 0;
};

}  // namespace fwflash
