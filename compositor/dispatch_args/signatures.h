#pragma once
// The members of _LumoCTRL as a dispatcher sees them: identifier, call kind, and what each
// parameter must be converted to.
#include <cstdint>

#include "compositor/interface/lumo_dispids.h"

namespace lumo::dispatch {

// The call kinds, numbered as the dispatch flags' bits.
enum class CallKind : std::uint8_t { Method = 1, Get = 2, Put = 4 };

enum class ParamKind : std::uint8_t {
    Numeric,         // any numeric value, by reference: written back when the member changes it
    Boolean,         // converted as a typed Boolean parameter
    Colour,          // a Long, or an unsigned 32-bit value
    OptionalDouble,  // may be left out
    Picture,         // an object or Nothing
};

// Each member call, one per identifier and kind.
enum class Entry : std::uint8_t {
    SetPicView,
    SetPicMaterial,
    SetPicWorkArea,
    GetViewhDC,
    GetEnabled,
    PutEnabled,
    GetPicture,
    GetImage,
    GetPoint,
    GetPicViewBgColor,
    PutPicViewBgColor,
    ClsPicView,
    ReDraw,
    Lumoscope,
};

constexpr unsigned kMaxParams = 7;

struct Signature {
    Entry entry;
    DispId id;
    CallKind kind;
    std::uint8_t required;  // the first `required` parameters must be given
    std::uint8_t count;     // all parameters
    ParamKind params[kMaxParams];
};

// The member a call with this identifier and these dispatch flags reaches: a property put goes
// to the put, anything else to the method or the property get. Null when there is none.
const Signature* findSignature(std::int32_t id, std::uint16_t flags);

}  // namespace lumo::dispatch
