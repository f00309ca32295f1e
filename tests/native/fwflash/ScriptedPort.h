// A FirmwarePort that records what the upgrade does and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "fwflash/Upgrade.h"

namespace fwtest {

class ScriptedPort : public fwflash::FirmwarePort {
 public:
  bool openSucceeds = true;
  int failSendNumber = -1;  // 0-based index of the send that fails; -1 none
  // Replies in order; nullopt means "no reply". A reply may be shorter than
  // four bytes; an empty script means no reply.
  std::deque<std::optional<std::vector<uint8_t>>> replies;

  std::vector<std::string> calls;  // "open", "send", "receive", "close"
  std::vector<std::vector<uint8_t>> sent;

  bool Open() override {
    calls.push_back("open");
    return openSucceeds;
  }
  bool Send(std::span<const uint8_t> bytes) override {
    calls.push_back("send");
    if (static_cast<int>(sent.size()) == failSendNumber) return false;
    sent.emplace_back(bytes.begin(), bytes.end());
    return true;
  }
  bool ReceiveReply(fwflash::Reply& reply) override {
    calls.push_back("receive");
    if (replies.empty()) return false;
    std::optional<std::vector<uint8_t>> next = std::move(replies.front());
    replies.pop_front();
    if (!next) return false;
    std::copy_n(next->begin(), std::min<size_t>(next->size(), reply.size()), reply.begin());
    return true;
  }
  void Close() override { calls.push_back("close"); }

  // All bytes sent after the first three commands.
  std::vector<uint8_t> DataBytes() const {
    std::vector<uint8_t> data;
    for (size_t i = 3; i < sent.size(); ++i) data.insert(data.end(), sent[i].begin(), sent[i].end());
    return data;
  }
};

}  // namespace fwtest
