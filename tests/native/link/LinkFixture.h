// A printer link, its shared socket and a monitor connection on the scripted
// devices, reporting into a window state, every pause recorded instead of slept.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeLinkDevices.h"
#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SharedSocket.h"

namespace linktest {

class LinkFixture : public testing::Test {
 protected:
  std::string Status() const { return state.Status(); }

  FakeLinkDevices devices;
  std::vector<unsigned> paused;
  std::function<void(unsigned)> onPause;  // also told of each pause, when set
  kit::FunctionClock clock{[this](unsigned ms) {
    paused.push_back(ms);
    if (onPause) onPause(ms);
  }};
  prtbench::WindowState state;
  prtbench::PrinterLink link{devices, state, clock};
  prtbench::SharedSocket socket{link};
  prtbench::MonitorConnection monitor{devices, clock};
};

}  // namespace linktest
