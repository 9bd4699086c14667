#pragma once
// LumoCTRL as the program reaches it: late, by dispatch identifier, with variant-like
// arguments. The mouse window's LumoCTRL1 is one. The Windows build calls the control through
// IDispatch::Invoke (lumo_client/); the native build calls straight into the engine
// (lumo_ctrl_engine.h).
#include <cstddef>
#include <cstdint>

#include "common/colour.h"
#include "common/picture.h"
#include "common/rounding.h"
#include "common/run_error.h"
#include "compositor/interface/lumo_dispids.h"
#include "platform/ports/types.h"

namespace quill::mouse_window {

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// One argument or result, like a variant: a number of a given type, a picture, or a reference
// to the caller's Integer variable that the callee may write back.
struct DispArg {
    enum class Type { Empty, Integer, Long, Boolean, Picture, IntegerRef };
    Type type = Type::Empty;
    double number = 0;  // Integer, Long; a Boolean is -1 or 0
    PictureRef picture;
    Integer* integerRef = nullptr;

    static DispArg integer(Integer v) { return {Type::Integer, double(v), nullptr, nullptr}; }
    static DispArg longValue(Long v) { return {Type::Long, double(v), nullptr, nullptr}; }
    static DispArg boolean(bool v) { return {Type::Boolean, v ? -1.0 : 0.0, nullptr, nullptr}; }
    static DispArg pictureValue(PictureRef p) { return {Type::Picture, 0, std::move(p), nullptr}; }
    static DispArg byRef(Integer& var) { return {Type::IntegerRef, double(var), nullptr, &var}; }
};

class LumoCtrl {
public:
    virtual ~LumoCtrl() = default;

    // The binding: a member by its dispatch identifier, arguments first to last.
    virtual RunError invoke(lumo::DispId id, InvokeKind kind, DispArg* args, std::size_t count, DispArg* result) = 0;
    // Places the control on its form, as the form's creation does: the form's window and the
    // control's rectangle in the form's client pixels.
    virtual RunError site(platform::WindowHandle form, const platform::PixelRect& place) = 0;
    // The container's own Width and Height (the extender), here in pixels; the control keeps
    // its place.
    virtual RunError setExtent(Long widthPx, Long heightPx) = 0;

    // The calls the program makes, spelled once.
    RunError setPicViewBgColor(Colour c);
    RunError ClsPicView();
    RunError setPicMaterial(PictureRef pic);
    // x, y, Alpha, Zoom as Integers, R360 by reference, Smoothing as a Boolean, QT omitted.
    RunError Lumoscope(Integer x, Integer y, Integer alpha, Integer& r360, Integer zoom, bool smoothing);
    RunError ReDraw();
    RunError Image(PictureRef& out);
};

}  // namespace quill::mouse_window
