// IDispatch for _LumoCTRL. GetIDsOfNames and GetTypeInfo come from the type library; Invoke
// arranges and converts the arguments itself, because the platform's generic invoke gets
// typed by-reference parameters wrong for script callers.
#include "compositor/com/dispids.h"
#include "compositor/com/lumo_object.h"
#include "compositor/com/variant_args.h"

namespace lumo::com {
namespace {

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;

struct MemberEntry {
    DispId id;
    WORD kind;
    unsigned minArgs;
    unsigned maxArgs;
    LumoObject::Member call;
};

const MemberEntry kMembers[] = {
    {DispId::setPicView, kMethod, 1, 1, &LumoObject::callSetPicView},
    {DispId::setPicMaterial, kMethod, 1, 1, &LumoObject::callSetPicMaterial},
    {DispId::setPicWorkArea, kMethod, 1, 1, &LumoObject::callSetPicWorkArea},
    {DispId::getViewhDC, kMethod, 0, 0, &LumoObject::callGetViewhDC},
    {DispId::Enabled, kGet, 0, 0, &LumoObject::callGetEnabled},
    {DispId::Enabled, kPut, 1, 1, &LumoObject::callPutEnabled},
    {DispId::Picture, kGet, 0, 0, &LumoObject::callGetPicture},
    {DispId::Image, kGet, 0, 0, &LumoObject::callGetImage},
    {DispId::getPoint, kMethod, 2, 2, &LumoObject::callGetPoint},
    {DispId::PicViewBgColor, kGet, 0, 0, &LumoObject::callGetPicViewBgColor},
    {DispId::PicViewBgColor, kPut, 1, 1, &LumoObject::callPutPicViewBgColor},
    {DispId::ClsPicView, kMethod, 0, 0, &LumoObject::callClsPicView},
    {DispId::ReDraw, kMethod, 0, 0, &LumoObject::callReDraw},
    {DispId::Lumoscope, kMethod, 6, 7, &LumoObject::callLumoscope},
};

// A put goes to the property's put; anything else to the method or the property's get.
const MemberEntry* findMember(DISPID id, WORD flags) {
    const WORD wanted = (flags & kPut) ? kPut : WORD(flags & (kMethod | kGet));
    for (const MemberEntry& m : kMembers)
        if (DISPID(m.id) == id && (m.kind & wanted)) return &m;
    return nullptr;
}

struct Arranged {
    CallArgs args;
    UINT rgIndex[CallArgs::kMax] = {};  // where each declared argument sits in rgvarg
};

// rgvarg holds the named arguments first, then the positional ones last to first.
HRESULT arrange(const DISPPARAMS& p, const MemberEntry& m, Arranged& out, UINT& argErr) {
    if ((p.cArgs && !p.rgvarg) || (p.cNamedArgs && !p.rgdispidNamedArgs)) return E_POINTER;
    if (p.cNamedArgs > p.cArgs) return E_INVALIDARG;
    if (m.kind == kPut) {
        // The value: named DISPID_PROPERTYPUT by well-behaved callers, but never anything else.
        if (p.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        out.args.at[0] = &p.rgvarg[0];
        return S_OK;
    }
    const UINT positional = p.cArgs - p.cNamedArgs;
    if (positional > m.maxArgs) return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < positional; ++i) {
        out.rgIndex[i] = p.cArgs - 1 - i;
        out.args.at[i] = &p.rgvarg[out.rgIndex[i]];
    }
    for (UINT k = 0; k < p.cNamedArgs; ++k) {
        const DISPID pos = p.rgdispidNamedArgs[k];
        if (pos < 0 || UINT(pos) >= m.maxArgs || out.args.at[pos]) {
            argErr = k;
            return DISP_E_PARAMNOTFOUND;
        }
        out.rgIndex[pos] = k;
        out.args.at[pos] = &p.rgvarg[k];
    }
    for (UINT i = 0; i < m.minArgs; ++i) {
        if (isMissing(out.args.at[i])) {
            if (p.cArgs < m.minArgs) return DISP_E_BADPARAMCOUNT;
            argErr = out.rgIndex[i];
            return DISP_E_PARAMNOTOPTIONAL;
        }
    }
    return S_OK;
}

HRESULT report(const Outcome& o, const Arranged& a, EXCEPINFO* excep, UINT* argErr) {
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
    const MemberEntry* m = findMember(id, flags);
    if (!m) return DISP_E_MEMBERNOTFOUND;
    static const DISPPARAMS kNoArgs{};
    Arranged a;
    UINT bad = 0;
    HRESULT hr = arrange(params ? *params : kNoArgs, *m, a, bad);
    if (FAILED(hr)) {
        if (argErr && (hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_PARAMNOTOPTIONAL)) *argErr = bad;
        return hr;
    }
    a.args.lcid = lcid;
    if (result) VariantInit(result);
    Outcome o;
    try {
        o = (this->*(m->call))(a.args, m->kind == kPut ? nullptr : result);
    } catch (const std::bad_alloc&) {
        o = Outcome::failed(quill::RunError::OutOfMemory);
    } catch (...) {
        o = Outcome::platform(E_UNEXPECTED);
    }
    return report(o, a, excep, argErr);
}

}  // namespace lumo::com
