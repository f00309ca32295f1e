// The one way a frame is posted and its outcome shown.
#include "prtbench/app/win/PostSend.h"

#include <utility>

namespace prtbench {

void PostSend(const Context& context, SendJob send) {
  context.Post([&context, send = std::move(send)](const SendQueue::Cancelled& cancelled) {
    send(context.link(), cancelled);
    context.status().ShowCurrent();
  });
}

void PostFrame(const Context& context, Bytes frame) {
  PostSend(context, [frame = std::move(frame)](PrinterLink& link, const SendQueue::Cancelled&) {
    link.SendData(frame);
  });
}

void PostSilently(const Context& context, SendJob send) {
  context.Post([&context, send = std::move(send)](const SendQueue::Cancelled& cancelled) {
    send(context.link(), cancelled);
  });
}

void PostSilently(const Context& context, Bytes frame) {
  PostSilently(context, [frame = std::move(frame)](PrinterLink& link, const SendQueue::Cancelled&) {
    link.SendData(frame);
  });
}

void PostFrame(const Context& context, Bytes frame, Msg success, Msg failure) {
  context.Post([&context, frame = std::move(frame), success, failure](const SendQueue::Cancelled&) {
    context.status().Show(context.link().SendData(frame) != 0 ? success : failure);
  });
}

}  // namespace prtbench
