#pragma once
// Colours cross every interface as COLORREF values, 0x00BBGGRR (red in the lowest byte);
// 0x800000nn names the system colour nn; -1 is the invalid colour that a pixel read outside
// a surface yields.
//
// Pixel buffers store the same colour in device-independent-bitmap order, 0x00RRGGBB, so a
// DIB section can share the memory. Every pixel operation treats the three channels alike,
// so only the edges (background colours, pixel reads for callers) convert.
#include <cstdint>

namespace quill {

using Colour = std::uint32_t;  // 0x00BBGGRR
using Pixel = std::uint32_t;   // 0x00RRGGBB

constexpr std::int32_t kInvalidColour = -1;
constexpr Pixel kNoPixel = 0xFFFFFFFFu;  // the invalid colour as it appears in pixel reads

constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}

// Swapping red and blue converts both ways.
constexpr std::uint32_t swapRedBlue(std::uint32_t v) {
    return (v & 0x0000FF00u) | ((v & 0x000000FFu) << 16) | ((v & 0x00FF0000u) >> 16);
}
constexpr Pixel pixelFromColour(Colour c) { return swapRedBlue(c); }
constexpr Colour colourFromPixel(Pixel p) { return swapRedBlue(p); }

constexpr bool isSystemColour(std::uint32_t v) { return (v & 0xFFFFFF00u) == 0x80000000u; }
constexpr int systemColourIndex(std::uint32_t v) { return static_cast<int>(v & 0xFFu); }
// A colour property accepts plain colours and the system colours 0 to 30.
constexpr bool isValidColourProperty(std::uint32_t v) {
    return (v & 0xFF000000u) == 0 || (isSystemColour(v) && systemColourIndex(v) <= 30);
}

}  // namespace quill

namespace quill {

// The colour a property value stands for: plain colours as they are, system colours from the
// platform (Windows asks the system; elsewhere the standard scheme: window white, text black).
Colour resolveColour(Colour c);
using SystemColourSource = Colour (*)(int index);
void setSystemColourSource(SystemColourSource source);

}  // namespace quill
