// "Post a frame, show the outcome", as every dialog and the main window send:
// the bytes go from the send queue, never the window thread, and the outcome
// lands in the main window's status line.
#pragma once

#include <functional>

#include "prtbench/base/Bytes.h"
#include "prtbench/base/Messages.h"
#include "prtbench/app/SendQueue.h"
#include "prtbench/app/win/Context.h"
#include "prtbench/link/PrinterLink.h"

namespace prtbench {

// What runs on the send queue: sends through `link`, and may stop early once
// `cancelled` answers true (the queue is closing).
using SendJob = std::function<void(PrinterLink& link, const SendQueue::Cancelled& cancelled)>;

// Runs `send` on the send queue, then shows the status text it left (the
// last SendData's outcome).
void PostSend(const Context& context, SendJob send);

// PostSend of one SendData of `frame`.
void PostFrame(const Context& context, Bytes frame);

// Runs `send` on the send queue for a setting that shows no message: its
// outcome stays in the status text and the status line keeps what it showed.
void PostSilently(const Context& context, SendJob send);
void PostSilently(const Context& context, Bytes frame);

// One SendData of `frame` from the send queue; shows `success` or `failure`
// by its outcome instead of the status text.
void PostFrame(const Context& context, Bytes frame, Msg success, Msg failure);

}  // namespace prtbench
