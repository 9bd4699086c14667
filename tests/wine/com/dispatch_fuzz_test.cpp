// Thousands of late-bound calls with arguments of every kind a caller can build: whatever
// comes in, the control answers with a result or an error, never a crash, and keeps drawing.
#include <cmath>
#include <deque>
#include <limits>
#include <random>

#include "com_fixture.h"

namespace comtest {
namespace {

// Typed storage that by-reference arguments point into; it outlives every call.
struct Slots {
    short i2 = 0;
    double r8 = 0;
    VARIANT_BOOL b = 0;
};

// Every value it makes owns what it holds (a string of its own, a reference to an object), as
// a caller's variables do: a callee may clear an in/out variant before writing into it.
class ArgumentMaker {
public:
    ArgumentMaker(std::mt19937& rng, Slots& slots, IDispatch* control, IDispatch* picture)
        : rng_(rng), s_(slots), control_(control), picture_(picture) {}
    ~ArgumentMaker() { clear(); }

    // Frees the variants that script-style references pointed to.
    void clear() {
        for (VARIANT& v : targets_) VariantClear(&v);
        targets_.clear();
    }

    // A value, a typed reference or a script-style reference, two levels deep at most.
    VARIANT make(int depth = 0) {
        VARIANT v;
        VariantInit(&v);
        switch (pick(depth < 2 ? 16 : 14)) {
            case 0: v.vt = VT_EMPTY; break;
            case 1: v.vt = VT_NULL; break;
            case 2: v.vt = VT_I2; v.iVal = short(rng_()); break;
            case 3: v.vt = VT_I4; v.lVal = LONG(rng_()); break;
            case 4: v.vt = VT_R8; v.dblVal = oddDouble(); break;
            case 5: v.vt = VT_R4; v.fltVal = float(oddDouble()); break;
            case 6: v.vt = VT_BOOL; v.boolVal = VARIANT_BOOL(rng_()); break;
            case 7: v.vt = VT_BSTR; v.bstrVal = SysAllocString(pick(2) ? L"12" : L"12abc"); break;
            case 8:
                v.vt = VT_DISPATCH;
                v.pdispVal = pick(3) == 0 ? nullptr : pick(2) ? picture_ : control_;
                if (v.pdispVal) v.pdispVal->AddRef();
                break;
            case 9: v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; break;
            case 10: v.vt = VT_UI1; v.bVal = BYTE(rng_()); break;
            case 11: v.vt = VT_DATE; v.date = oddDouble(); break;
            case 12: v.vt = VARTYPE(VT_BYREF | VT_I2); v.piVal = &s_.i2; break;
            case 13: v.vt = VARTYPE(VT_BYREF | [&] { return pick(2) ? VT_R8 : VT_BOOL; }());
                     v.byref = v.vt == (VT_BYREF | VT_R8) ? static_cast<void*>(&s_.r8) : &s_.b; break;
            default: {  // VT_BYREF|VT_VARIANT to a variable of the caller's
                VARIANT inner = make(depth + 1);
                targets_.push_back(inner);
                v.vt = VT_BYREF | VT_VARIANT;
                v.pvarVal = &targets_.back();
            }
        }
        return v;
    }

private:
    int pick(int n) { return int(rng_() % unsigned(n)); }
    double oddDouble() {
        const double odd[] = {0, -0.5, 2.5, 255.5, 1e10, -1e300, std::nan(""),
                              std::numeric_limits<double>::infinity(), 65, 360, -359.5, 1e-300};
        return odd[pick(12)];
    }

    std::mt19937& rng_;
    Slots& s_;
    IDispatch* control_;
    IDispatch* picture_;
    std::deque<VARIANT> targets_;  // stable addresses for references
};

using DispatchFuzz = ComTest;

TEST_F(DispatchFuzz, AnyArgumentsGetAnAnswerAndTheControlKeepsWorking) {
    ComPtr<IDispatch> d = createControl();
    ASSERT_TRUE(d);
    ComPtr<IPictureDisp> pic = pictureOf(artwork(30, 20));
    Slots slots;
    std::mt19937 rng(20261208);
    ArgumentMaker make(rng, slots, d.Get(), pic.Get());
    const DISPID ids[] = {0x68030000, 0x68030001, 0x68030002, 0x68030003, 0x60030005, 0x60030006,
                          0x60030007, 0x60030008, 0x60030009, 0x6003000A, 0x6003000B, 0x6003000C,
                          0,          -1,         -4,         0x6003000D, 0x7FFFFFFF};
    const WORD flags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                          DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET, 0};
    int succeeded = 0;
    for (int call = 0; call < 20000; ++call) {
        std::vector<VARIANT> args(rng() % 9);
        for (VARIANT& a : args) a = make.make();
        DISPID named[2] = {DISPID_PROPERTYPUT, DISPID(rng() % 8)};
        DISPPARAMS params{args.data(), nullptr, UINT(args.size()), 0};
        if (rng() % 4 == 0) {  // named arguments, sometimes more than there are arguments
            params.rgdispidNamedArgs = named;
            params.cNamedArgs = std::min<UINT>(UINT(rng() % 3), params.cArgs);
        }
        Variant result;
        EXCEPINFO excep{};
        UINT argErr = 0;
        const bool withResult = rng() % 2, withExcep = rng() % 2;
        const HRESULT hr = d->Invoke(ids[rng() % 17], IID_NULL, LOCALE_USER_DEFAULT, flags[rng() % 6],
                                     rng() % 50 == 0 ? nullptr : &params, withResult ? &result : nullptr, withExcep ? &excep : nullptr,
                                     &argErr);
        succeeded += SUCCEEDED(hr);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        for (VARIANT& a : args) VariantClear(&a);  // references are left alone
        make.clear();
    }
    EXPECT_GT(succeeded, 0);  // some random calls are valid ones

    // Still a working control: a host redraw draws the material and reads back as expected.
    Call bg;
    put(bg, d.Get(), DispId::PicViewBgColor, i4(LONG(kKey)));
    ASSERT_HRESULT_SUCCEEDED(bg.hr);
    hostRedraw(d.Get(), pic.Get(), 0);
    EXPECT_NE(pointAt(d.Get(), 65, 65), LONG(kKey));  // the artwork's centre is drawn
    EXPECT_EQ(pointAt(d.Get(), -1, 0), -1);
}

}  // namespace
}  // namespace comtest
