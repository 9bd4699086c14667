#include "gesture/rec_event.h"

namespace quill::gesture {

namespace {
Long wholeTwips(Single position) { return roundToLong(position).value_or(0); }
}  // namespace

RecEvent makeRecord(Long tipX, Long tipY, Long code, const WindowPlaces& places, Integer angle, Long tick) {
    RecEvent r;
    r.X = tipX;
    r.Y = tipY;
    r.Code = code;
    r.BodyLeft = wholeTwips(places.bodyLeft);
    r.BodyTop = wholeTwips(places.bodyTop);
    r.Angle = angle;
    r.SwitchLeft = wholeTwips(places.switchLeft);
    r.SwitchTop = wholeTwips(places.switchTop);
    r.Tick = tick;
    return r;
}

std::string recordCaption(Long count, const RecEvent& r) {
    return std::to_string(count) + ">" + std::to_string(r.X) + ":" + std::to_string(r.Y) + "(" +
           std::to_string(r.Code) + ")";
}

}  // namespace quill::gesture
