// A headless Chromium driven over its DevTools pipe, for tests that look at
// the page as a person would: the DOM as it is now, a screenshot, a click.
#pragma once

#include <sys/types.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace testsupport {

class Browser {
 public:
  // Starts Chromium headless on a new empty profile in `workDir`/profile
  // (its output goes to workDir/chromium.log). nullptr with the reason in `why`
  // when it is not installed or does not answer.
  static std::unique_ptr<Browser> Start(const std::string& workDir, std::string& why);
  ~Browser();  // closes it, kills what is left of it, removes the profile
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;

  // One DevTools command: its result, or {"error": ...} on failure or time-out.
  nlohmann::json Call(const std::string& method, const nlohmann::json& params = nlohmann::json::object(),
                      const std::string& session = {}, int timeoutMs = 15000);
  // Opens `url` in a new tab; the session that talks to it (empty on failure).
  std::string Open(const std::string& url);
  // The value of a JavaScript expression in the tab (null when it threw).
  nlohmann::json Evaluate(const std::string& session, const std::string& expression);
  // Waits until `expression` is true in the tab.
  bool WaitUntil(const std::string& session, const std::string& expression, int timeoutMs = 10000);
  // The tab as a PNG; empty on failure.
  std::string Screenshot(const std::string& session);

 private:
  Browser(pid_t pid, int toBrowser, int fromBrowser, std::string profile)
      : pid_(pid), to_(toBrowser), from_(fromBrowser), profile_(std::move(profile)) {}
  bool Send(const nlohmann::json& message);
  // The next whole message, or null on time-out or end of the pipe.
  nlohmann::json Receive(int timeoutMs);

  pid_t pid_;
  int to_, from_;
  std::string profile_;  // removed once Chromium is gone
  std::string pending_;
  int nextId_ = 1;
};

}  // namespace testsupport
