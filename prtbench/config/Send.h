// How the configuration dialogs send a command of several parts: one SendData
// per part, in order, as the printer expects them.
#pragma once

#include <span>

#include "prtbench/app/Bytes.h"
#include "prtbench/app/SendQueue.h"
#include "prtbench/link/PrinterLink.h"

namespace prtbench {

// Sends each of `parts` with its own SendData. Stops at the first part that
// fails (the rest would only wait for the same dead link) or when the queue
// is closing. True when every part went; the status text tells the last outcome.
bool SendInTurn(PrinterLink& link, std::span<const Bytes> parts, const SendQueue::Cancelled& cancelled);

}  // namespace prtbench
