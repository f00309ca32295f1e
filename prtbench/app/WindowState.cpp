// The status text behind its lock, the byte counter's wrap, an outcome's words.
#include "prtbench/app/WindowState.h"

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

std::string WindowState::Record(const Outcome& outcome) {
  const Language words = language();
  std::string text = outcome.prefix;
  const std::string_view message = MessageText(outcome.message, words);
  text += outcome.number ? Fill(message, {std::to_string(*outcome.number)}) : std::string(message);
  if (outcome.sent) {
    const std::int32_t total = totalBytes_.Add(*outcome.sent);
    text += Fill(MessageText(Msg::CountsLine, words),
                 {std::to_string(static_cast<std::int32_t>(*outcome.sent)), std::to_string(total)});
  }
  status_.Set(text);
  return text;
}

}  // namespace prtbench
