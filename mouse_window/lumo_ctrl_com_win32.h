#pragma once
// The Windows build's LumoCTRL1: the registered control, created by its programmatic
// identifier and called by dispatch identifier through IDispatch::Invoke.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "compositor/engine/bitmap.h"
#include "mouse_window/lumo_ctrl.h"

namespace quill::mouse_window {

constexpr const wchar_t* kLumoProgId = L"Lumoscope.LumoCTRL";

class ComLumoObject : public LateBoundObject {
public:
    // Null, with the reason in error, when the control cannot be created.
    static std::unique_ptr<ComLumoObject> create(std::string& error);

    RunError invoke(LumoDispId id, InvokeKind kind, DispArg* args, std::size_t count,
                    DispArg* result) override;
    RunError setExtent(Long widthPx, Long heightPx) override;

private:
    explicit ComLumoObject(Microsoft::WRL::ComPtr<IDispatch> object) : object_(std::move(object)) {}
    RunError toVariant(const DispArg& a, VARIANT& v, short& refSlot);
    static RunError fromVariant(const VARIANT& v, DispArg& out);

    Microsoft::WRL::ComPtr<IDispatch> object_;
    // The program hands over the same artwork on every redraw: one picture object serves them all.
    lumo::PictureRef lastPicture_;
    Microsoft::WRL::ComPtr<IPictureDisp> lastPictureObject_;
};

}  // namespace quill::mouse_window
