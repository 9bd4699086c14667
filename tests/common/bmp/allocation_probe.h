#pragma once
// Watches and limits the test binary's allocations: proves that a refused header costs no
// pixel buffer, and lets a test run out of memory on purpose.
#include <cstddef>
#include <limits>

namespace quill::bmp::test {

void resetLargestAllocation();
std::size_t largestAllocation();

// While one lives, every allocation of `bytes` or more throws std::bad_alloc.
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

}  // namespace quill::bmp::test
