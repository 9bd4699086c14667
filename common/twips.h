#pragma once
// Twips (1/1440 inch) against whole screen pixels. Window properties are single precision, so
// the conversions are too; a fractional pixel count rounds half to even like every other
// conversion to a whole number.
#include <optional>

#include "common/rounding.h"

namespace quill {

using Single = float;

// Twips per screen pixel on every display, scaled or not. The program is per-monitor DPI aware
// and works in physical pixels, so its design-time layouts, drawn for 15 twips to the pixel,
// keep their pixel sizes wherever they are shown, and what it records replays at the same
// pixels. (A scale derived from the display's logical DPI would give 10 at 144 DPI and
// enlarge every window and distance around the pixel-sized artwork.)
constexpr Single kTwipsPerPixel = 15;

// The inch in each unit the program meets: twips, HIMETRIC (hundredths of a millimetre, the
// extent of an OLE control) and typographic points.
constexpr int kTwipsPerInch = 1440;
constexpr int kHimetricPerInch = 2540;
constexpr int kPointsPerInch = 72;

// Twips as HIMETRIC, to the nearest unit (for non-negative lengths, such as design sizes).
constexpr long twipsToHimetric(long twips) { return (twips * kHimetricPerInch + kTwipsPerInch / 2) / kTwipsPerInch; }

// A pixel count as twips: exact for every position a screen can have.
inline Single pixelsToTwips(Long pixels, Single twipsPerPixel) {
    return static_cast<Single>(pixels) * twipsPerPixel;
}

// Twips as whole pixels; no result when the value does not fit a Long.
inline std::optional<Long> twipsToPixels(double twips, Single twipsPerPixel) {
    return roundToLong(static_cast<Single>(twips / twipsPerPixel));
}

}  // namespace quill
