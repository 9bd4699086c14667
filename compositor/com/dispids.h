#pragma once
// The dispatch identifiers of the type library (lumoscope.idl), mirrored once for C++.
#include <windows.h>

namespace lumo::com {

enum class DispId : DISPID {
    PicViewBgColor = 0x68030000,
    Image = 0x68030001,
    Picture = 0x68030002,
    Enabled = 0x68030003,
    setPicView = 0x60030005,
    setPicMaterial = 0x60030006,
    setPicWorkArea = 0x60030007,
    getViewhDC = 0x60030008,
    getPoint = 0x60030009,
    ClsPicView = 0x6003000A,
    ReDraw = 0x6003000B,
    Lumoscope = 0x6003000C,
};

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
