// How the configuration dialogs send a command of several parts: one SendData
// per part, in order, as the printer expects them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "prtbench/base/Bytes.h"
#include "prtbench/app/SendQueue.h"
#include "prtbench/link/PrinterLink.h"

namespace prtbench {

// Sends each of `parts` with its own SendData. Stops at the first part that
// fails (the rest would only wait for the same dead link) or when the queue
// is closing. True when every part went; the status text tells the last outcome.
bool SendInTurn(PrinterLink& link, std::span<const Bytes> parts, const SendQueue::Cancelled& cancelled);
// SendInTurn over `parts` as a job for the send queue, which owns the parts.
std::function<void(PrinterLink&, const SendQueue::Cancelled&)> InTurn(std::vector<Bytes> parts);

// True when a file of `length` bytes can be sent as one buffer: SendData
// counts in 32 bits, and a buffer holds at most `largestBuffer` bytes (the
// vector's max_size, 2 GiB - 1 on the 32-bit build). Both in 64 bits, so no
// size wraps before it is checked.
bool FitsOneSend(std::uint64_t length, std::uint64_t largestBuffer);

}  // namespace prtbench
