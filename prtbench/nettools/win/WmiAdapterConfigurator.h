// The adapter configurator on WMI, class Win32_NetworkAdapterConfiguration.
// Never used by a test: Wine has none of its methods, and no test may touch
// the machine's own adapter (tests use the seam's fake).
#pragma once

#include <memory>

#include "prtbench/nettools/AdapterConfigurator.h"

namespace prtbench {

// A configurator for one use, on the calling thread: COM is initialised by
// the lookup and released with the object.
std::unique_ptr<AdapterConfigurator> MakeWmiAdapterConfigurator();

}  // namespace prtbench
