#pragma once
// One recorded step of a gesture, its event codes, and the two things made from it: the record
// itself and the caption that shows it while recording and replaying.
#include <string>

#include "common/rounding.h"
#include "common/twips.h"

namespace quill::gesture {

struct RecEvent {
    Long X = 0;  // pointer tip, screen pixels
    Long Y = 0;
    Long BodyLeft = 0;  // Form1, twips
    Long BodyTop = 0;
    Integer Angle = 0;
    Long SwitchLeft = 0;  // Form2, twips
    Long SwitchTop = 0;
    Long Code = 0;
    double Tick = 0;
};

// Event codes of the recorder.
enum : Long {
    kNoButtonEvent = 0,
    kLeftDown = 1,
    kLeftUp = 2,
    kRightDown = 3,
    kRightUp = 4,
    kMiddleDown = 7,
    kMiddleUp = 8,
};

// Where the windows stood when the step was taken, as their properties give it (twips).
struct WindowPlaces {
    Single bodyLeft = 0, bodyTop = 0;
    Single switchLeft = 0, switchTop = 0;
};

// The record of a step: the tip pixel and code as given, the places rounded half to even to
// whole twips (0 for one beyond a Long), the body's angle and the counter's tick.
RecEvent makeRecord(Long tipX, Long tipY, Long code, const WindowPlaces& places, Integer angle, Long tick);

// "count>X:Y(Code)": the number of records and the one being recorded or replayed.
std::string recordCaption(Long count, const RecEvent& r);

}  // namespace quill::gesture
