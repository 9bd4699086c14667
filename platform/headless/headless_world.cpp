// Monitors and files of the headless desktop.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/headless/headless_desktop.h"
#include "platform/ports/picture_file.h"

namespace quill::platform::headless {

namespace {
std::int64_t overlapArea(const PixelRect& a, const PixelRect& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
std::int64_t gapSquared(const PixelRect& a, const PixelRect& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, b.left - a.right + 1, a.left - b.right + 1});
    const std::int64_t dy = std::max<std::int64_t>({0, b.top - a.bottom + 1, a.top - b.bottom + 1});
    return dx * dx + dy * dy;
}
}  // namespace

void HeadlessDesktop::setMonitors(std::vector<MonitorInfo> monitors) {
    if (monitors.empty()) throw std::logic_error("headless desktop: a desktop has at least one monitor");
    for (const MonitorInfo& old : monitors_) {
        const bool kept = std::any_of(monitors.begin(), monitors.end(),
                                      [&](const MonitorInfo& m) { return m.handle == old.handle; });
        if (!kept) removedMonitors_.push_back(old.handle);
    }
    monitors_ = std::move(monitors);
}

Outcome HeadlessDesktop::enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) {
    // Copy first: the callback may not change the list under the walk.
    const auto list = monitors_;
    for (const MonitorInfo& m : list) {
        if (proc(m.handle) == 0) break;
    }
    return Outcome::Done;
}

std::optional<MonitorInfo> HeadlessDesktop::monitorInfo(MonitorHandle h) const {
    if (monitorQueryHook_) std::exchange(monitorQueryHook_, nullptr)();
    for (const MonitorInfo& m : monitors_) {
        if (m.handle == h) return m;
    }
    // A monitor that went away: the platform's call fails.
    if (std::find(removedMonitors_.begin(), removedMonitors_.end(), h) != removedMonitors_.end()) return std::nullopt;
    throw std::logic_error("headless desktop: no monitor " + std::to_string(h));
}

// The monitor with the largest share of the rectangle; with none, the closest one. Ties go
// to the earlier monitor in enumeration order.
const MonitorInfo& HeadlessDesktop::nearestToRect(const PixelRect& r) const {
    const MonitorInfo* best = &monitors_.front();
    std::int64_t bestArea = -1, bestGap = 0;
    for (const MonitorInfo& m : monitors_) {
        const std::int64_t area = overlapArea(r, m.monitor), gap = gapSquared(r, m.monitor);
        if (area > bestArea || (area == 0 && bestArea == 0 && gap < bestGap)) {
            best = &m;
            bestArea = area;
            bestGap = gap;
        }
    }
    return *best;
}

MonitorHandle HeadlessDesktop::monitorFromRect(const PixelRect& r) const {
    // An empty rectangle still has a position: treat it as one pixel there.
    PixelRect q = r;
    if (q.width() <= 0) q.right = q.left + 1;
    if (q.height() <= 0) q.bottom = q.top + 1;
    return nearestToRect(q).handle;
}

void HeadlessDesktop::addFile(const std::string& path, std::vector<std::uint8_t> bytes, unsigned attributes) {
    files_[path] = File{std::move(bytes), attributes};
}

bool HeadlessDesktop::findNormalFile(const std::string& path) const {
    auto it = files_.find(path);
    return it != files_.end() && (it->second.attributes & (kHidden | kSystem | kFolder)) == 0;
}

PictureLoad HeadlessDesktop::loadPicture(const std::string& path) {
    auto it = files_.find(path);
    if (it == files_.end()) return {nullptr, "the file does not exist"};
    if (it->second.attributes & kFolder) return {nullptr, "it is a folder, not a file"};
    return pictureFromBmp(it->second.bytes.data(), it->second.bytes.size());
}

}  // namespace quill::platform::headless
