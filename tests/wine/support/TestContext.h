// What a dialog test hands the dialog: a Context on the link's scripted
// devices, an in-memory Printer.ini, recorded prompts, launches and pauses,
// and a real send queue the test can wait for.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <vector>

#include "FakeSettingsStore.h"
#include "common/Pause.h"
#include "prtbench/app/win/Context.h"
#include "support/LinkRig.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace testsupport {

class TestContext : public LinkRig, public prtbench::JobQueue {
  // first: the queue's jobs pause until it ends
  mutable std::mutex pausesMutex_;
  std::vector<unsigned> pauses_;

 public:
  void Post(prtbench::SendQueue::Job job) override { queue.Post(std::move(job)); }
  // Returns once every job posted so far has run.
  void Drain() const {
    while (queue.Busy()) Sleep(1);
  }
  // Called at each pause of the context's clock (on the pausing thread).
  std::function<void()> onPause = [] {};
  // The pauses the context's clock was asked for, in order, none slept.
  std::vector<unsigned> Pauses() const {
    std::lock_guard lock(pausesMutex_);
    return pauses_;
  }

  linktest::FakeSettingsStore settings;
  RecordingPrompts prompts;
  RecordingLauncher launcher;
  kit::FunctionClock clock{[this](unsigned ms) {
    {
      std::lock_guard lock(pausesMutex_);
      pauses_.push_back(ms);
    }
    onPause();
  }};
  prtbench::SendQueue queue;  // after the link: its thread ends first
  prtbench::Context context{link, socket, monitor, settings, prompts, launcher, status, *this, clock};
};

}  // namespace testsupport
