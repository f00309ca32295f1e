// The replaced global operator new/delete behind AllocationLimit.
#include "support/AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace testsupport {
namespace {

std::atomic<size_t> limit{std::numeric_limits<size_t>::max()};

}  // namespace

AllocationLimit::AllocationLimit(size_t bytes) { limit = bytes; }
AllocationLimit::~AllocationLimit() { limit = std::numeric_limits<size_t>::max(); }

}  // namespace testsupport

// The nothrow and array forms of the standard library call these two.
void* operator new(size_t size) {
  if (size > testsupport::limit) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
