// Thousands of late-bound calls with arguments of every kind a caller can build: whatever
// comes in, the control answers with a result or an error, never a crash, and keeps drawing.
#include <random>

#include "argument_maker.h"
#include "com_fixture.h"

namespace comtest {
namespace {

using DispatchFuzz = ComTest;

TEST_F(DispatchFuzz, AnyArgumentsGetAnAnswerAndTheControlKeepsWorking) {
    ComPtr<IDispatch> d = createControl();
    ASSERT_TRUE(d);
    ComPtr<IPictureDisp> pic = pictureOf(artwork(30, 20));
    Slots slots;
    std::mt19937 rng(20261208);
    ArgumentMaker make(rng, slots, {d.Get(), pic.Get()});
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
