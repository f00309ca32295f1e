// How the configuration dialogs send: the frames go from the send queue, never
// the window thread, and the outcome lands in the main window's status line.
#pragma once

#include <utility>
#include <vector>

#include "prtbench/app/win/Context.h"
#include "prtbench/config/Send.h"

namespace prtbench {

// Sends `frame` and shows what SendData left in the status text.
inline void PostFrame(Context& context, Bytes frame) {
  context.Post([&context, frame = std::move(frame)](const SendQueue::Cancelled&) {
    context.link().SendData(frame);
    context.status().ShowCurrent();
  });
}

// Sends `frame` for a setting that shows no message: SendData's outcome stays
// in the status text and the status line keeps what it showed.
inline void PostSilentFrame(Context& context, Bytes frame) {
  context.Post([&context, frame = std::move(frame)](const SendQueue::Cancelled&) { context.link().SendData(frame); });
}

// Sends `frame` and shows `success` or `failure` by its outcome.
inline void PostFrame(Context& context, Bytes frame, Msg success, Msg failure) {
  context.Post([&context, frame = std::move(frame), success, failure](const SendQueue::Cancelled&) {
    context.status().Show(context.link().SendData(frame) != 0 ? success : failure);
  });
}

// Sends `parts` one SendData each (SendInTurn) and shows the last outcome.
inline void PostParts(Context& context, std::vector<Bytes> parts) {
  context.Post([&context, parts = std::move(parts)](const SendQueue::Cancelled& cancelled) {
    SendInTurn(context.link(), parts, cancelled);
    context.status().ShowCurrent();
  });
}

// PostParts without a message, as PostSilentFrame.
inline void PostSilentParts(Context& context, std::vector<Bytes> parts) {
  context.Post([&context, parts = std::move(parts)](const SendQueue::Cancelled& cancelled) {
    SendInTurn(context.link(), parts, cancelled);
  });
}

}  // namespace prtbench
