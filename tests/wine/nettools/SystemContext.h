// A dialog test's Context on the real Winsock link (for dialogs that meet
// vprinter on loopback), with the in-memory Printer.ini, recorded prompts and
// a real send queue.
#pragma once

#include <winsock2.h>

#include <windows.h>

#include "FakeSettingsStore.h"
#include "prtbench/app/win/Context.h"
#include "prtbench/link/win/SystemDevices.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace nettest {

class NoUsb : public prtbench::UsbInterfaceSource {
 public:
  std::optional<std::vector<prtbench::UsbInterface>> List() override { return std::vector<prtbench::UsbInterface>{}; }
};

class SystemContext : public prtbench::JobQueue {
 public:
  SystemContext() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
    shared.language = prtbench::Language::English;
  }
  ~SystemContext() override {
    queue.Close();
    link.ClosePorts();
    WSACleanup();
  }
  void Post(prtbench::SendQueue::Job job) override { queue.Post(std::move(job)); }
  void Drain() const {
    while (queue.Busy()) Sleep(1);
  }

  NoUsb usb;
  prtbench::SystemLinkDevices devices{usb};
  prtbench::SharedState shared;
  prtbench::PrinterLink link{devices, shared};
  linktest::FakeSettingsStore settings;
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  prtbench::StatusLine status{shared};
  kit::FunctionClock clock;
  prtbench::SendQueue queue;  // after the link: its thread ends first
  prtbench::Context context{link, settings, prompts, launcher, status, *this, clock};
};

}  // namespace nettest
