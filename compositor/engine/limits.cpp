#include "compositor/engine/limits.h"

namespace lumo {

quill::RunError checkSurfaceSize(std::int64_t w, std::int64_t h) {
    if (w < 0 || h < 0) return quill::RunError::InvalidPropertyValue;
    if (w > kMaxSurfaceSide || h > kMaxSurfaceSide || w * h > kMaxSurfacePixels)
        return quill::RunError::OutOfMemory;
    return quill::RunError::None;
}

}  // namespace lumo
