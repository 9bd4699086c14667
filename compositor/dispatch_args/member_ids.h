#pragma once
// The dispatch identifiers of _LumoCTRL in the type library (lumoscope.idl), mirrored once.
#include <cstdint>

namespace lumo::dispatch {

enum class DispId : std::int32_t {
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

}  // namespace lumo::dispatch
