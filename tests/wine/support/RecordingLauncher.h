// The test double of the launcher seam: records what would start, starts nothing.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "winui/Launcher.h"

namespace testsupport {

class RecordingLauncher : public winui::Launcher {
 public:
  // Runs at every Open before it is recorded: a test looks at what holds
  // when a program would start. Set before use.
  std::function<void()> onOpen;

  bool Open(std::string_view file, std::string_view parameters) override {
    if (onOpen) onOpen();
    std::lock_guard lock(mutex_);
    launches_.push_back(std::string(file) + " " + std::string(parameters));
    return answer_;
  }
  bool OpenIn(std::string_view file, std::string_view directory) override {
    std::lock_guard lock(mutex_);
    startsIn_.push_back(std::string(file) + "|" + std::string(directory));
    return answer_;
  }
  // "file parameters", one entry per Open
  std::vector<std::string> launches() const {
    std::lock_guard lock(mutex_);
    return launches_;
  }
  // "file|directory", one entry per OpenIn
  std::vector<std::string> startsIn() const {
    std::lock_guard lock(mutex_);
    return startsIn_;
  }
  void AnswerOpen(bool started) { answer_ = started; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> launches_;
  std::vector<std::string> startsIn_;
  bool answer_ = true;
};

}  // namespace testsupport
