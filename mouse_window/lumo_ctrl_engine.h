#pragma once
// The native build's LumoCTRL: dispatch by identifier straight into the engine's control.
#include "compositor/engine/lumo_control.h"
#include "mouse_window/lumo_ctrl.h"

namespace quill::mouse_window {

class EngineLumoCtrl : public LumoCtrl {
public:
    EngineLumoCtrl() = default;
    RunError invoke(lumo::DispId id, InvokeKind kind, DispArg* args, std::size_t count,
                    DispArg* result) override;
    // The engine's control has no window: a place on a form only gives it its size.
    RunError site(platform::WindowHandle, const platform::PixelRect& place) override {
        return control_.resize(place.width(), place.height());
    }
    RunError setExtent(Long widthPx, Long heightPx) override { return control_.resize(widthPx, heightPx); }

    const lumo::LumoControl& control() const { return control_; }

private:
    RunError lumoscope(DispArg* args, std::size_t count);

    lumo::LumoControl control_;
};

}  // namespace quill::mouse_window
