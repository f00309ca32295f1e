// The printer link on the link layer's scripted devices, as the program
// assembles it: the window's state and status line, the link, its shared
// socket and the monitor's connection. The link's pauses return at once.
#pragma once

#include "FakeLinkDevices.h"
#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/app/win/StatusLine.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SharedSocket.h"

namespace testsupport {

struct LinkRig {
  linktest::FakeLinkDevices devices;
  kit::FunctionClock linkClock;
  prtbench::WindowState state;
  prtbench::StatusLine status{state};
  prtbench::PrinterLink link{devices, status, linkClock};
  prtbench::SharedSocket socket{link};
  prtbench::MonitorConnection monitor{devices, linkClock};
};

}  // namespace testsupport
