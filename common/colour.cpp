#include "common/colour.h"

namespace quill {
namespace {

Colour standardSystemColour(int index) {
    switch (index) {
        case 8:   // window text
        case 18:  // button text
            return 0x000000;
        case 15:  // button face
            return 0xF0F0F0;
        default:  // window background and the rest of a light scheme
            return 0xFFFFFF;
    }
}

SystemColourSource g_source = &standardSystemColour;

}  // namespace

Colour resolveColour(Colour c) {
    return isSystemColour(c) ? g_source(systemColourIndex(c)) & 0x00FFFFFFu : c & 0x00FFFFFFu;
}

void setSystemColourSource(SystemColourSource source) {
    g_source = source ? source : &standardSystemColour;
}

}  // namespace quill
