#pragma once
// The dispatch identifiers of the type library (lumoscope.idl): the members' are mirrored once
// in the portable argument library; the events' here.
#include <windows.h>

#include "compositor/dispatch_args/member_ids.h"

namespace lumo::com {

using DispId = lumo::dispatch::DispId;

enum class EventId : DISPID {
    Click = 1,  // declared for design tools; the control never raises it
    KeyUp = 2,
    KeyPress = 3,
    KeyDown = 4,
    MouseDown = 5,
    MouseMove = 6,
    MouseUp = 7,
};

}  // namespace lumo::com
