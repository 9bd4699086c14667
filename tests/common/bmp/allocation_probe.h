#pragma once
// The largest single allocation the test binary made since the last reset: proves that a
// refused header costs no pixel buffer.
#include <cstddef>

namespace quill::bmp::test {

void resetLargestAllocation();
std::size_t largestAllocation();

}  // namespace quill::bmp::test
