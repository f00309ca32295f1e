// A test-set ceiling on single allocations, so "the file does not fit in
// memory" can be shown the same way in 32- and 64-bit test programs (a 64-bit
// address space cannot be exhausted). Linking AllocationLimit.cpp replaces the
// program's global operator new/delete; with no limit set they behave as usual.
#pragma once

#include <cstddef>

namespace testsupport {

// While alive, any single operator new of more than `bytes` throws
// std::bad_alloc, in every thread of the program.
class AllocationLimit {
 public:
  explicit AllocationLimit(size_t bytes);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
};

}  // namespace testsupport
