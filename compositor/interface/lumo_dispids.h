/* The dispatch identifiers of LumoCTRL: its members (interface _LumoCTRL) and its events
   (__LumoCTRL). This file is their one source: the type library's IDL includes it, as do the
   control and the program that calls it. Hence plain definitions that the IDL compiler's
   preprocessor reads too, and the C++ enums only for C++. */
#ifndef LUMO_DISPIDS_H
#define LUMO_DISPIDS_H

#define LUMO_DISPID_PICVIEWBGCOLOR 0x68030000
#define LUMO_DISPID_IMAGE 0x68030001
#define LUMO_DISPID_PICTURE 0x68030002
#define LUMO_DISPID_ENABLED 0x68030003
#define LUMO_DISPID_SETPICVIEW 0x60030005
#define LUMO_DISPID_SETPICMATERIAL 0x60030006
#define LUMO_DISPID_SETPICWORKAREA 0x60030007
#define LUMO_DISPID_GETVIEWHDC 0x60030008
#define LUMO_DISPID_GETPOINT 0x60030009
#define LUMO_DISPID_CLSPICVIEW 0x6003000A
#define LUMO_DISPID_REDRAW 0x6003000B
#define LUMO_DISPID_LUMOSCOPE 0x6003000C

#define LUMO_EVENTID_CLICK 1
#define LUMO_EVENTID_KEYUP 2
#define LUMO_EVENTID_KEYPRESS 3
#define LUMO_EVENTID_KEYDOWN 4
#define LUMO_EVENTID_MOUSEDOWN 5
#define LUMO_EVENTID_MOUSEMOVE 6
#define LUMO_EVENTID_MOUSEUP 7

#ifdef __cplusplus
#include <cstdint>

namespace lumo {

enum class DispId : std::int32_t {
    // The properties.
    PicViewBgColor = LUMO_DISPID_PICVIEWBGCOLOR, Image = LUMO_DISPID_IMAGE,
    Picture = LUMO_DISPID_PICTURE, Enabled = LUMO_DISPID_ENABLED,
    // The methods: the pictures, the view's device context and pixels, the drawing.
    setPicView = LUMO_DISPID_SETPICVIEW, setPicMaterial = LUMO_DISPID_SETPICMATERIAL,
    setPicWorkArea = LUMO_DISPID_SETPICWORKAREA, getViewhDC = LUMO_DISPID_GETVIEWHDC,
    getPoint = LUMO_DISPID_GETPOINT, ClsPicView = LUMO_DISPID_CLSPICVIEW,
    ReDraw = LUMO_DISPID_REDRAW, Lumoscope = LUMO_DISPID_LUMOSCOPE,
};

enum class EventId : std::int32_t {
    Click = LUMO_EVENTID_CLICK,  // declared for design tools; the control never raises it
    KeyUp = LUMO_EVENTID_KEYUP, KeyPress = LUMO_EVENTID_KEYPRESS, KeyDown = LUMO_EVENTID_KEYDOWN,
    MouseDown = LUMO_EVENTID_MOUSEDOWN, MouseMove = LUMO_EVENTID_MOUSEMOVE, MouseUp = LUMO_EVENTID_MOUSEUP,
};

}  // namespace lumo
#endif

#endif
