// A dialog test's Context on the real Winsock link (for dialogs that meet
// vprinter on loopback), with the in-memory Printer.ini, recorded prompts and
// a real send queue.
#pragma once

#include <winsock2.h>

#include <windows.h>

#include "FakeSettingsStore.h"
#include "common/Pause.h"
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
    state.SetLanguage(prtbench::Language::English);
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
  kit::SleepingClock clock;  // vprinter on loopback answers in real time
  prtbench::WindowState state;
  prtbench::StatusLine status{state};
  prtbench::PrinterLink link{devices, status, clock};
  prtbench::SharedSocket socket{link};
  prtbench::MonitorConnection monitor{devices, clock};
  linktest::FakeSettingsStore settings;
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  prtbench::SendQueue queue;  // after the link: its thread ends first
  prtbench::Context context{link, socket, monitor, settings, prompts, launcher, status, *this, clock};
};

}  // namespace nettest
