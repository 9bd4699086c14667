#include "mouse_window/lumo_ctrl.h"

namespace quill::mouse_window {

RunError LumoCtrl1::setPicViewBgColor(Colour c) {
    DispArg v = DispArg::longValue(static_cast<Long>(c));
    return object_.invoke(LumoDispId::PicViewBgColor, InvokeKind::PropertyPut, &v, 1, nullptr);
}

RunError LumoCtrl1::ClsPicView() {
    return object_.invoke(LumoDispId::ClsPicView, InvokeKind::Method, nullptr, 0, nullptr);
}

RunError LumoCtrl1::setPicMaterial(PictureRef pic) {
    DispArg p = DispArg::pictureValue(std::move(pic));
    return object_.invoke(LumoDispId::setPicMaterial, InvokeKind::Method, &p, 1, nullptr);
}

RunError LumoCtrl1::Lumoscope(Integer x, Integer y, Integer alpha, Integer& r360, Integer zoom,
                              bool smoothing) {
    DispArg args[] = {DispArg::integer(x),  DispArg::integer(y),   DispArg::integer(alpha),
                      DispArg::byRef(r360), DispArg::integer(zoom), DispArg::boolean(smoothing)};
    return object_.invoke(LumoDispId::Lumoscope, InvokeKind::Method, args, 6, nullptr);
}

RunError LumoCtrl1::ReDraw() {
    return object_.invoke(LumoDispId::ReDraw, InvokeKind::Method, nullptr, 0, nullptr);
}

RunError LumoCtrl1::Image(PictureRef& out) {
    DispArg r;
    QUILL_RETURN_IF_ERROR(object_.invoke(LumoDispId::Image, InvokeKind::PropertyGet, nullptr, 0, &r));
    if (r.type != DispArg::Type::Picture) return RunError::TypeMismatch;
    out = std::move(r.picture);
    return RunError::None;
}

}  // namespace quill::mouse_window
