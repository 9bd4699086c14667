#pragma once
// A sink for the control's events that records every call with its arguments.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace comtest {

struct RecordedEvent {
    DISPID id;
    std::vector<double> args;  // in declared order
};

class RecordingSink final : public IDispatch {
public:
    std::vector<RecordedEvent> events;
    ULONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        RecordedEvent e{id, {}};
        for (UINT i = p->cArgs; i-- > 0;) {
            const VARIANT& v = p->rgvarg[i];
            if (v.vt == (VT_BYREF | VT_I2)) e.args.push_back(*v.piVal);
            else if (v.vt == (VT_BYREF | VT_R4)) e.args.push_back(*v.pfltVal);
            else e.args.push_back(-999);  // not the declared by-reference type
        }
        events.push_back(e);
        return S_OK;
    }
};

inline std::string describe(const RecordedEvent& e) {
    std::string s = std::to_string(e.id) + ":";
    for (double a : e.args) s += " " + std::to_string(int(a));
    return s;
}

}  // namespace comtest
