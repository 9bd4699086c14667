#include "mouse_window/lumo_ctrl.h"

namespace quill::mouse_window {

RunError LumoCtrl::setPicViewBgColor(Colour c) {
    DispArg v = DispArg::longValue(static_cast<Long>(c));
    return invoke(lumo::DispId::PicViewBgColor, InvokeKind::PropertyPut, &v, 1, nullptr);
}

RunError LumoCtrl::ClsPicView() {
    return invoke(lumo::DispId::ClsPicView, InvokeKind::Method, nullptr, 0, nullptr);
}

RunError LumoCtrl::setPicMaterial(PictureRef pic) {
    DispArg p = DispArg::pictureValue(std::move(pic));
    return invoke(lumo::DispId::setPicMaterial, InvokeKind::Method, &p, 1, nullptr);
}

RunError LumoCtrl::Lumoscope(Integer x, Integer y, Integer alpha, Integer& r360, Integer zoom,
                              bool smoothing) {
    DispArg args[] = {DispArg::integer(x),  DispArg::integer(y),   DispArg::integer(alpha),
                      DispArg::byRef(r360), DispArg::integer(zoom), DispArg::boolean(smoothing)};
    return invoke(lumo::DispId::Lumoscope, InvokeKind::Method, args, 6, nullptr);
}

RunError LumoCtrl::ReDraw() {
    return invoke(lumo::DispId::ReDraw, InvokeKind::Method, nullptr, 0, nullptr);
}

RunError LumoCtrl::Image(PictureRef& out) {
    DispArg r;
    QUILL_RETURN_IF_ERROR(invoke(lumo::DispId::Image, InvokeKind::PropertyGet, nullptr, 0, &r));
    if (r.type != DispArg::Type::Picture) return RunError::TypeMismatch;
    out = std::move(r.picture);
    return RunError::None;
}

}  // namespace quill::mouse_window
