#include "tests/common/bmp/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> g_largest{0};
std::atomic<std::size_t> g_limit{std::numeric_limits<std::size_t>::max()};
}  // namespace

// Replaces the global allocation functions of this test binary only.
void* operator new(std::size_t size) {
    std::size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
    if (size >= g_limit) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace quill::bmp::test {

void resetLargestAllocation() { g_largest = 0; }
std::size_t largestAllocation() { return g_largest; }

AllocationLimit::AllocationLimit(std::size_t bytes) { g_limit = bytes; }
AllocationLimit::~AllocationLimit() { g_limit = std::numeric_limits<std::size_t>::max(); }

}  // namespace quill::bmp::test
