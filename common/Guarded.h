// Workers run their work through Guarded: an exception that reached the top
// of a worker thread would end the whole program through std::terminate.
#pragma once

#include <utility>

namespace kit {

// Runs `work`; true when it returned, false when it threw (the exception is
// dropped and the caller reports the failure as its own).
template <class Work>
bool Guarded(Work&& work) {
  try {
    std::forward<Work>(work)();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace kit
