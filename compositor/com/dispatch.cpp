// IDispatch for _LumoCTRL. GetIDsOfNames and GetTypeInfo come from the type library; Invoke
// arranges and converts the arguments itself (the portable argument library over the caller's
// VARIANTs), because the platform's generic invoke gets typed by-reference parameters wrong for
// script callers.
#include "compositor/interface/lumo_dispids.h"
#include "compositor/com/lumo_object.h"

namespace lumo::com {
namespace {

using dispatch::Entry;
using dispatch::Refusal;

LumoObject::Member memberFor(Entry e) {
    switch (e) {
        case Entry::SetPicView: return &LumoObject::callSetPicView;
        case Entry::SetPicMaterial: return &LumoObject::callSetPicMaterial;
        case Entry::SetPicWorkArea: return &LumoObject::callSetPicWorkArea;
        case Entry::GetViewhDC: return &LumoObject::callGetViewhDC;
        case Entry::GetEnabled: return &LumoObject::callGetEnabled;
        case Entry::PutEnabled: return &LumoObject::callPutEnabled;
        case Entry::GetPicture: return &LumoObject::callGetPicture;
        case Entry::GetImage: return &LumoObject::callGetImage;
        case Entry::GetPoint: return &LumoObject::callGetPoint;
        case Entry::GetPicViewBgColor: return &LumoObject::callGetPicViewBgColor;
        case Entry::PutPicViewBgColor: return &LumoObject::callPutPicViewBgColor;
        case Entry::ClsPicView: return &LumoObject::callClsPicView;
        case Entry::ReDraw: return &LumoObject::callReDraw;
        case Entry::Lumoscope: return &LumoObject::callLumoscope;
    }
    return nullptr;
}

HRESULT hresultOf(Refusal r) {
    switch (r) {
        case Refusal::None: return S_OK;
        case Refusal::NullPointer: return E_POINTER;
        case Refusal::InvalidArgument: return E_INVALIDARG;
        case Refusal::BadParamCount: return DISP_E_BADPARAMCOUNT;
        case Refusal::ParamNotFound: return DISP_E_PARAMNOTFOUND;
        case Refusal::ParamNotOptional: return DISP_E_PARAMNOTOPTIONAL;
        case Refusal::TypeMismatch: return DISP_E_TYPEMISMATCH;
        case Refusal::Overflow: return DISP_E_OVERFLOW;
    }
    return E_UNEXPECTED;
}

// What the dispatcher cannot take is returned directly, with the argument to blame.
HRESULT refuse(const dispatch::Failure& f, UINT* argErr) {
    if (argErr && f.hasIndex) *argErr = f.argIndex;
    return hresultOf(f.refusal);
}

HRESULT report(const Outcome& o, const dispatch::Arrangement& a, EXCEPINFO* excep, UINT* argErr) {
    if (o.succeeded()) return S_OK;
    if (o.isArgumentError()) {
        if (argErr) *argErr = a.rgIndex[o.param];
        return o.hr;
    }
    if (!excep) return o.hr;
    fillExcepInfo(excep, o);
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT LumoObject::GetTypeInfoCount(UINT* count) noexcept {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT LumoObject::GetTypeInfo(UINT index, LCID, ITypeInfo** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    *out = dispatchInfo_.Get();
    (*out)->AddRef();
    return S_OK;
}

HRESULT LumoObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count && (!names || !ids)) return E_POINTER;
    return dispatchInfo_->GetIDsOfNames(names, count, ids);
}

HRESULT LumoObject::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const dispatch::Signature* s = dispatch::findSignature(id, flags);
    if (!s) return DISP_E_MEMBERNOTFOUND;
    static const DISPPARAMS kNoArgs{};
    return invokeMember(*s, params ? *params : kNoArgs, lcid, result, excep, argErr);
}

HRESULT LumoObject::invokeMember(const dispatch::Signature& s, const DISPPARAMS& p, LCID lcid, VARIANT* result,
                                 EXCEPINFO* excep, UINT* argErr) noexcept {
    dispatch::Arrangement a;
    Outcome o;
    try {
        ArgMapping mapping(p);
        if (dispatch::Failure f = dispatch::arrange(mapping.params(), s, a)) return refuse(f, argErr);
        if (result) VariantInit(result);
        VariantConverter converter;
        CallArgs call{{}, mapping, converter};
        if (dispatch::Failure f = dispatch::convertArgs(s, a, converter, lcid, call.converted)) {
            return refuse(f, argErr);
        }
        o = (this->*memberFor(s.entry))(call, s.kind == dispatch::CallKind::Put ? nullptr : result);
    } catch (const std::bad_alloc&) {
        o = Outcome::failed(quill::RunError::OutOfMemory);
    } catch (...) {
        o = Outcome::platform(E_UNEXPECTED);
    }
    return report(o, a, excep, argErr);
}

}  // namespace lumo::com
