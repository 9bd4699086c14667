#pragma once
// The Windows build's LumoCTRL: the control created by its programmatic identifier (from the
// Lumoscope.dll the program's manifest names, or a registered one), embedded in Form1 and
// called by dispatch identifier through IDispatch::Invoke.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "common/picture.h"
#include "mouse_window/lumo_ctrl.h"
#include "ole_container/embedded_control_win32.h"

namespace quill::lumo_client {

constexpr const wchar_t* kLumoProgId = L"Lumoscope.LumoCTRL";

class ComLumoCtrl : public mouse_window::LumoCtrl {
public:
    // Null, with the failing call's result in failure, when the control cannot be created.
    static std::unique_ptr<ComLumoCtrl> create(HRESULT& failure);
    ComLumoCtrl(const ComLumoCtrl&) = delete;
    ComLumoCtrl& operator=(const ComLumoCtrl&) = delete;

    RunError invoke(lumo::DispId id, mouse_window::InvokeKind kind, mouse_window::DispArg* args, std::size_t count,
                    mouse_window::DispArg* result) override;
    RunError site(platform::WindowHandle form, const platform::PixelRect& place) override;
    RunError setExtent(Long widthPx, Long heightPx) override { return embedded_.setExtent(widthPx, heightPx); }

private:
    explicit ComLumoCtrl(Microsoft::WRL::ComPtr<IDispatch> object) : object_(object), embedded_(object) {}
    RunError toVariant(const mouse_window::DispArg& a, VARIANT& v, short& refSlot);
    static RunError fromVariant(const VARIANT& v, mouse_window::DispArg& out);

    Microsoft::WRL::ComPtr<IDispatch> object_;
    ole_container::EmbeddedControl embedded_;  // closes the control before object_ lets it go
    // The program hands over the same artwork on every redraw: one picture object serves them all.
    PictureRef lastPicture_;
    Microsoft::WRL::ComPtr<IPictureDisp> lastPictureObject_;
};

}  // namespace quill::lumo_client
