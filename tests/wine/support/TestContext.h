// What a dialog test hands the dialog: a Context on the link's scripted
// devices, an in-memory Printer.ini, recorded prompts and launches, and a real
// send queue the test can wait for.
#pragma once

#include <windows.h>

#include "FakeLinkDevices.h"
#include "FakeSettingsStore.h"
#include "common/Pause.h"
#include "prtbench/app/win/Context.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace testsupport {

class TestContext : public prtbench::JobQueue {
 public:
  void Post(prtbench::SendQueue::Job job) override { queue.Post(std::move(job)); }
  // Returns once every job posted so far has run.
  void Drain() const {
    while (queue.Busy()) Sleep(1);
  }

  linktest::FakeLinkDevices devices;
  kit::FunctionClock clock;  // pauses return at once
  prtbench::WindowState state;
  prtbench::StatusLine status{state};
  prtbench::PrinterLink link{devices, status, clock};
  prtbench::SharedSocket socket{link};
  prtbench::MonitorConnection monitor{devices, clock};
  linktest::FakeSettingsStore settings;
  RecordingPrompts prompts;
  RecordingLauncher launcher;
  prtbench::SendQueue queue;  // after the link: its thread ends first
  prtbench::Context context{link, socket, monitor, settings, prompts, launcher, status, *this};
};

}  // namespace testsupport
