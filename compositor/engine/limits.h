#pragma once
// The largest surface the control allocates. A side of 16,384 pixels is more than any screen
// the view could cover, and 2^24 pixels (64 MiB) in all keeps a request born of a huge zoom or
// supersampling factor from costing gigabytes: it fails with a clear error instead, and the
// surfaces keep their previous state.
#include <cstdint>

#include "common/run_error.h"

namespace lumo {

constexpr int kMaxSurfaceSide = 16384;
constexpr std::int64_t kMaxSurfacePixels = std::int64_t{1} << 24;

// None when a w by h surface may be allocated; InvalidPropertyValue for a negative side;
// OutOfMemory beyond the limits above.
quill::RunError checkSurfaceSize(std::int64_t w, std::int64_t h);

}  // namespace lumo
