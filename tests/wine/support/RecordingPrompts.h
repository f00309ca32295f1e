// The test double of the prompts seam: records every box and dialog, answers
// from scripts. Safe to use from worker threads.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "winui/Prompts.h"

namespace testsupport {

class RecordingPrompts : public winui::Prompts {
 public:
  struct Record {
    std::string kind;  // "message", "yesno", "yesnocancel", "open", "save", "wait"
    std::string text;  // message text or dialog title
    winui::MessageIcon icon = winui::MessageIcon::None;
    winui::FileDialogOptions options;
  };

  void Message(HWND, std::string_view text, winui::MessageIcon icon) override {
    std::lock_guard lock(mutex_);
    records_.push_back({"message", std::string(text), icon, {}});
  }
  bool YesNo(HWND, std::string_view text) override {
    std::lock_guard lock(mutex_);
    records_.push_back({"yesno", std::string(text), winui::MessageIcon::None, {}});
    return Take(yesNoAnswers_).value_or(false);
  }
  // Unscripted: No, as YesNo answers no.
  winui::Answer YesNoCancel(HWND, std::string_view text) override {
    std::lock_guard lock(mutex_);
    records_.push_back({"yesnocancel", std::string(text), winui::MessageIcon::None, {}});
    return Take(answers_).value_or(winui::Answer::No);
  }
  std::optional<std::string> OpenFile(HWND, const winui::FileDialogOptions& options) override {
    std::lock_guard lock(mutex_);
    records_.push_back({"open", options.title, winui::MessageIcon::None, options});
    return Take(fileAnswers_).value_or(std::nullopt);
  }
  std::optional<std::string> SaveFile(HWND, const winui::FileDialogOptions& options) override {
    std::lock_guard lock(mutex_);
    records_.push_back({"save", options.title, winui::MessageIcon::None, options});
    return Take(fileAnswers_).value_or(std::nullopt);
  }
  void WaitCursor() override {
    std::lock_guard lock(mutex_);
    ++waitCursors_;
  }

  void AnswerYesNo(bool yes) {
    std::lock_guard lock(mutex_);
    yesNoAnswers_.push_back(yes);
  }
  void AnswerYesNoCancel(winui::Answer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
  }
  // The next file dialog returns `path`; nullopt scripts a cancel.
  void AnswerFile(std::optional<std::string> path) {
    std::lock_guard lock(mutex_);
    fileAnswers_.push_back(std::move(path));
  }
  std::vector<Record> records() const {
    std::lock_guard lock(mutex_);
    return records_;
  }
  // Texts of the message boxes shown so far, in order.
  std::vector<std::string> messages() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& r : records_) {
      if (r.kind == "message") texts.push_back(r.text);
    }
    return texts;
  }
  int waitCursors() const {
    std::lock_guard lock(mutex_);
    return waitCursors_;
  }

 private:
  template <typename T>
  static std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }

  mutable std::mutex mutex_;
  std::vector<Record> records_;
  std::deque<bool> yesNoAnswers_;
  std::deque<winui::Answer> answers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  int waitCursors_ = 0;
};

}  // namespace testsupport
