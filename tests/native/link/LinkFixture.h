// A printer link on the scripted devices, every pause recorded instead of slept.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeLinkDevices.h"
#include "common/Pause.h"
#include "prtbench/link/PrinterLink.h"

namespace linktest {

class LinkFixture : public testing::Test {
 protected:
  LinkFixture() : pauses_([this](unsigned ms) { paused.push_back(ms); }) {}

  std::string Status() const { return shared.status.Get(); }

  FakeLinkDevices devices;
  prtbench::SharedState shared;
  prtbench::PrinterLink link{devices, shared};
  std::vector<unsigned> paused;

 private:
  kit::ScopedPauseOverride pauses_;
};

}  // namespace linktest
