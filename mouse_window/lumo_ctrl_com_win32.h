#pragma once
// The Windows build's LumoCTRL1: the control created by its programmatic identifier (from the
// Lumoscope.dll the program's manifest names, or a registered one), sited on Form1 and called
// by dispatch identifier through IDispatch::Invoke.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "common/picture.h"
#include "mouse_window/lumo_ctrl.h"
#include "mouse_window/lumo_site_win32.h"

namespace quill::mouse_window {

constexpr const wchar_t* kLumoProgId = L"Lumoscope.LumoCTRL";

class ComLumoObject : public LateBoundObject {
public:
    // Null, with the failing call's result in failure, when the control cannot be created.
    static std::unique_ptr<ComLumoObject> create(HRESULT& failure);
    ~ComLumoObject() override;
    ComLumoObject(const ComLumoObject&) = delete;
    ComLumoObject& operator=(const ComLumoObject&) = delete;

    RunError invoke(LumoDispId id, InvokeKind kind, DispArg* args, std::size_t count,
                    DispArg* result) override;
    RunError site(platform::WindowHandle form, const platform::PixelRect& place) override;
    RunError setExtent(Long widthPx, Long heightPx) override;

private:
    explicit ComLumoObject(Microsoft::WRL::ComPtr<IDispatch> object) : object_(std::move(object)) {}
    RunError toVariant(const DispArg& a, VARIANT& v, short& refSlot);
    static RunError fromVariant(const VARIANT& v, DispArg& out);

    Microsoft::WRL::ComPtr<IDispatch> object_;
    Microsoft::WRL::ComPtr<LumoSite> site_;  // set once sited
    RECT place_{};                           // the control's rectangle on Form1
    bool inPlace_ = false;                   // active in place: a child window of Form1
    // The program hands over the same artwork on every redraw: one picture object serves them all.
    PictureRef lastPicture_;
    Microsoft::WRL::ComPtr<IPictureDisp> lastPictureObject_;
};

}  // namespace quill::mouse_window
