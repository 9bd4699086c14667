#include "ole_container/embedded_control_win32.h"

#include <ocidl.h>

#include "common/twips.h"
#include "common/win32/hresult_errors.h"
#include "common/win32/unique_handle.h"

namespace quill::ole_container {

using Microsoft::WRL::ComPtr;
using win32::runErrorFor;

EmbeddedControl::~EmbeddedControl() {
    ComPtr<IOleObject> ole;
    if (!site_ || FAILED(control_.As(&ole))) return;
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
}

RunError EmbeddedControl::site(HWND window, const RECT& place) {
    ComPtr<IOleObject> ole;
    if (FAILED(control_.As(&ole))) return RunError::InvalidCall;
    place_ = place;
    site_ = new ClientSite(window, place_);
    QUILL_RETURN_IF_ERROR(runErrorFor(ole->SetClientSite(site_.Get())));
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(control_.As(&persist))) QUILL_RETURN_IF_ERROR(runErrorFor(persist->InitNew()));
    QUILL_RETURN_IF_ERROR(setExtent(place.right - place.left, place.bottom - place.top));
    QUILL_RETURN_IF_ERROR(runErrorFor(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window, &place_)));
    inPlace_ = true;
    return RunError::None;
}

// A windowless control sizes its view from the extent, a windowed one follows its rectangle.
RunError EmbeddedControl::setExtent(Long widthPx, Long heightPx) {
    ComPtr<IOleObject> ole;
    if (FAILED(control_.As(&ole))) return RunError::InvalidCall;
    // The control turns the extent back into pixels with the screen's own scale.
    win32::WindowDc screen(nullptr);
    SIZEL size{MulDiv(widthPx, kHimetricPerInch, GetDeviceCaps(screen.get(), LOGPIXELSX)),
               MulDiv(heightPx, kHimetricPerInch, GetDeviceCaps(screen.get(), LOGPIXELSY))};
    QUILL_RETURN_IF_ERROR(runErrorFor(ole->SetExtent(DVASPECT_CONTENT, &size)));
    place_.right = place_.left + widthPx;
    place_.bottom = place_.top + heightPx;
    if (site_) site_->setPlace(place_);
    ComPtr<IOleInPlaceObject> inPlace;
    if (!inPlace_ || FAILED(control_.As(&inPlace))) return RunError::None;
    return runErrorFor(inPlace->SetObjectRects(&place_, &place_));
}

}  // namespace quill::ole_container
