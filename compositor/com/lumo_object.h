#pragma once
// LumoCTRL: the COM shell around the engine's control. One object implements the dual
// interface, its events, and what an OLE control container needs to host it in place.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>

#include "compositor/com/arg_mapping.h"
#include "compositor/com/connection_point.h"
#include "compositor/com/control_window.h"
#include "compositor/com/lumoscope_h.h"
#include "compositor/com/module.h"
#include "compositor/com/outcome.h"
#include "compositor/com/picture_reader.h"
#include "compositor/com/picture_writer.h"
#include "compositor/com/view_canvas.h"
#include "compositor/engine/lumo_control.h"

namespace lumo::com {

using Microsoft::WRL::ComPtr;

class LumoObject final : public _LumoCTRL,
                         public IProvideClassInfo2,
                         public IConnectionPointContainer,
                         public IOleObject,
                         public IOleInPlaceObject,
                         public IOleControl,
                         public IPersistStreamInit,
                         private ControlWindowSink {
public:
    static HRESULT create(REFIID iid, void** out) noexcept;

    using Member = Outcome (LumoObject::*)(const CallArgs&, VARIANT* result);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // IDispatch (dispatch.cpp)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept override;

    // _LumoCTRL for early-bound callers (members.cpp): each wraps the late-bound member.
    HRESULT STDMETHODCALLTYPE setPicView(IPictureDisp** pic) noexcept override;
    HRESULT STDMETHODCALLTYPE setPicMaterial(IPictureDisp** pic) noexcept override;
    HRESULT STDMETHODCALLTYPE setPicWorkArea(IPictureDisp** pic) noexcept override;
    HRESULT STDMETHODCALLTYPE getViewhDC(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Image(IPictureDisp** result) noexcept override;
    HRESULT STDMETHODCALLTYPE getPoint(VARIANT* x, VARIANT* y, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_PicViewBgColor(OLE_COLOR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_PicViewBgColor(OLE_COLOR* value) noexcept override;
    HRESULT STDMETHODCALLTYPE ClsPicView() noexcept override;
    HRESULT STDMETHODCALLTYPE ReDraw() noexcept override;
    HRESULT STDMETHODCALLTYPE Lumoscope(VARIANT* x, VARIANT* y, VARIANT* alpha, VARIANT* r360,
                                        VARIANT* zoom, VARIANT_BOOL* smoothing, double* qt) noexcept override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) noexcept override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) noexcept override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) noexcept override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept override;

    // IOleObject (ole_embedding.cpp)
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) noexcept override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** out) noexcept override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) noexcept override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index,
                                     HWND parent, LPCRECT rect) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) noexcept override { return OLE_S_USEREG; }
    HRESULT STDMETHODCALLTYPE Update() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* out) noexcept override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) noexcept override { return OLE_S_USEREG; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) noexcept override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) noexcept override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) noexcept override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) noexcept override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() noexcept override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) noexcept override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() noexcept override { return E_NOTIMPL; }

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) noexcept override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) noexcept override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) noexcept override;
    HRESULT STDMETHODCALLTYPE IsDirty() noexcept override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) noexcept override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) noexcept override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) noexcept override;
    HRESULT STDMETHODCALLTYPE InitNew() noexcept override;

    // The late-bound members (members.cpp), with their arguments converted by the dispatcher.
    Outcome callSetPicView(const CallArgs& a, VARIANT* result);
    Outcome callSetPicMaterial(const CallArgs& a, VARIANT* result);
    Outcome callSetPicWorkArea(const CallArgs& a, VARIANT* result);
    Outcome callGetViewhDC(const CallArgs& a, VARIANT* result);
    Outcome callGetEnabled(const CallArgs& a, VARIANT* result);
    Outcome callPutEnabled(const CallArgs& a, VARIANT* result);
    Outcome callGetPicture(const CallArgs& a, VARIANT* result);
    Outcome callGetImage(const CallArgs& a, VARIANT* result);
    Outcome callGetPoint(const CallArgs& a, VARIANT* result);
    Outcome callGetPicViewBgColor(const CallArgs& a, VARIANT* result);
    Outcome callPutPicViewBgColor(const CallArgs& a, VARIANT* result);
    Outcome callClsPicView(const CallArgs& a, VARIANT* result);
    Outcome callReDraw(const CallArgs& a, VARIANT* result);
    Outcome callLumoscope(const CallArgs& a, VARIANT* result);

private:
    LumoObject() = default;
    ~LumoObject() noexcept;
    HRESULT init();

    // One member call: arranges and converts the arguments, runs the member, reports.
    HRESULT invokeMember(const dispatch::Signature& s, const DISPPARAMS& p, LCID lcid, VARIANT* result,
                         EXCEPINFO* excep, UINT* argErr) noexcept;
    // Early-bound callers: their arguments in declared order (null for an omitted optional one).
    HRESULT earlyBound(DispId id, WORD flags, std::initializer_list<VARIANT*> args, VARIANT* result) noexcept;
    HRESULT earlyPictureIn(DispId id, IPictureDisp** pic) noexcept;
    HRESULT earlyPictureOut(DispId id, IPictureDisp** result) noexcept;
    // A member whose answer is a Long: 0 in *result unless the call succeeded with one.
    HRESULT earlyLongOut(DispId id, std::initializer_list<VARIANT*> args, LONG* result) noexcept;
    Outcome loadPicture(void* object, RunError (LumoControl::*load)(PictureRef));

    // ControlWindowSink
    void onMouse(MouseKind kind, short button, short shift, float x, float y) override;
    void onKey(KeyKind kind, short keyCode, short shift) override;
    void onKeyPress(short keyAscii) override;
    void onPaint(HDC dc, const RECT& area) override;
    void onResize(int width, int height) override;
    void fire(EventId id, VARIANT* args, UINT count);

    HRESULT activateInPlace(IOleClientSite* site, LPCRECT rect);
    void resizeView(int width, int height);

    ModuleRef module_;
    std::atomic<ULONG> refs_{1};
    ComPtr<ITypeInfo> dispatchInfo_;
    ComPtr<ITypeInfo> classInfo_;
    ViewCanvas canvas_;  // before control_: the view's storage lives in it
    std::unique_ptr<LumoControl> control_;
    ComPtr<IPictureDisp> viewPicture_;  // the picture loaded into the view, as the host gave it
    PictureReader reader_;
    ImagePool images_;
    bool enabled_ = true;
    EventConnectionPoint events_{*this};
    int eventsFrozen_ = 0;
    ControlWindow window_{*this};
    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IOleAdviseHolder> adviseHolder_;
    SIZEL extent_{};  // HIMETRIC
};

}  // namespace lumo::com
