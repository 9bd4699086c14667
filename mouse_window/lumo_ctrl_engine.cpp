#include "mouse_window/lumo_ctrl_engine.h"

#include <array>

namespace quill::mouse_window {

namespace {
using lumo::NumericArg;
using lumo::Slot;

// A literal reaches a by-reference parameter as a temporary the caller never reads back;
// a variable of a fixed type is written back in that type.
RunError toNumeric(const DispArg& a, NumericArg& out) {
    switch (a.type) {
        case DispArg::Type::Integer: out = NumericArg::integer(static_cast<Integer>(a.number)); return RunError::None;
        case DispArg::Type::Long: out = NumericArg::longValue(static_cast<Long>(a.number)); return RunError::None;
        case DispArg::Type::Boolean: out = NumericArg::booleanRaw(static_cast<Integer>(a.number)); return RunError::None;
        case DispArg::Type::IntegerRef: out = NumericArg::integer(*a.integerRef, Slot::Typed); return RunError::None;
        default: return RunError::TypeMismatch;
    }
}
}  // namespace

RunError EngineLumoCtrl::invoke(lumo::DispId id, InvokeKind kind, DispArg* args, std::size_t count,
                                  DispArg* result) {
    const bool put = kind == InvokeKind::PropertyPut, get = kind == InvokeKind::PropertyGet;
    switch (id) {
        case lumo::DispId::PicViewBgColor:
            if (put && count == 1 && args[0].type != DispArg::Type::Picture) {
                return control_.setPicViewBgColor(static_cast<Colour>(static_cast<Long>(args[0].number)));
            }
            if (get && result) {
                *result = DispArg::longValue(static_cast<Long>(control_.picViewBgColor()));
                return RunError::None;
            }
            break;
        case lumo::DispId::Image:
            if (get && result) {
                *result = DispArg::pictureValue(control_.image());
                return RunError::None;
            }
            break;
        case lumo::DispId::setPicMaterial:
            if (count != 1) break;
            if (args[0].type != DispArg::Type::Picture) return RunError::TypeMismatch;
            return control_.setPicMaterial(args[0].picture);
        case lumo::DispId::ClsPicView:
            control_.clsPicView();
            return RunError::None;
        case lumo::DispId::ReDraw:
            control_.reDraw();
            return RunError::None;
        case lumo::DispId::Lumoscope:
            return lumoscope(args, count);
        default:  // the members the program never calls
            break;
    }
    return RunError::InvalidCall;
}

RunError EngineLumoCtrl::lumoscope(DispArg* args, std::size_t count) {
    if (count != 6) return RunError::InvalidCall;  // QT is always omitted by the program
    std::array<NumericArg, 6> n{NumericArg::notNumeric(), NumericArg::notNumeric(), NumericArg::notNumeric(),
                                NumericArg::notNumeric(), NumericArg::notNumeric(), NumericArg::notNumeric()};
    for (std::size_t i = 0; i < 6; ++i) QUILL_RETURN_IF_ERROR(toNumeric(args[i], n[i]));
    const RunError e = control_.lumoscope({n[0], n[1], n[2], n[3], n[4], n[5], nullptr});
    // Write-backs land in the caller's variables even when the draw failed after making them.
    for (std::size_t i = 0; i < 6; ++i) {
        if (args[i].integerRef) *args[i].integerRef = static_cast<Integer>(n[i].value());
    }
    return e;
}

}  // namespace quill::mouse_window
