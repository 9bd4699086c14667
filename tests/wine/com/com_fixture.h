#pragma once
// Shared by the Lumoscope suites: the registered control created by its ProgID, late-bound
// calls by dispatch identifier, and pictures to hand over.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "compositor/interface/lumo_dispids.h"
#include "compositor/com/lumoscope_h.h"
#include "compositor/com/variant_args.h"
#include "compositor/engine/bitmap.h"
#include "tests/wine/support/registered_control.h"

namespace comtest {

using lumo::DispId;
using lumo::EventId;
using lumo::com::Variant;
using Microsoft::WRL::ComPtr;

constexpr quill::Colour kKey = 0x0000FF00;  // pure green, the artwork's key colour

using winetest::RegisteredControl;

// The DLL's own DllCanUnloadNow: S_OK once no object or lock is left.
HRESULT canUnloadNow();

// Each test runs in its own single-threaded apartment.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

ComPtr<IDispatch> createControl();

// One late-bound call; arguments in declared order (reversed into DISPPARAMS here).
struct Call {
    HRESULT hr = E_FAIL;
    Variant result;
    EXCEPINFO excep{};
    UINT argErr = ~0u;
    ~Call() {
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
};
void invoke(Call& c, IDispatch* d, DispId id, WORD flags, std::vector<VARIANT> args);
inline void method(Call& c, IDispatch* d, DispId id, std::vector<VARIANT> args = {}) {
    invoke(c, d, id, DISPATCH_METHOD, std::move(args));
}
inline void get(Call& c, IDispatch* d, DispId id) {
    invoke(c, d, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {});
}
void put(Call& c, IDispatch* d, DispId id, VARIANT value);

// Argument builders: values, script-style references to a Variant, typed references.
VARIANT i2(short v);
VARIANT i4(LONG v);
VARIANT r4(float v);
VARIANT r8(double v);
VARIANT boolean(bool v);
VARIANT dispatch(IDispatch* d);
VARIANT missing();
VARIANT refTo(VARIANT& v);  // VT_BYREF|VT_VARIANT
VARIANT refI2(short* p);
VARIANT refR8(double* p);
VARIANT refBool(VARIANT_BOOL* p);

// A picture object over a DIB section holding the pixels.
ComPtr<IPictureDisp> pictureOf(const lumo::PictureRef& px);
// A body-like test artwork: rings and stripes on the key colour.
lumo::PictureRef artwork(int w, int h);

// The host's redraw: ClsPicView, setPicMaterial, Lumoscope(65, 65, 255, angle, 1, True), ReDraw.
void hostRedraw(IDispatch* d, IPictureDisp* material, short angle);

// The view pixel at (x, y) through getPoint.
LONG pointAt(IDispatch* d, int x, int y);

// Committed private memory, summed over the address space: heaps and DIB sections both live
// there (the process counters are not reliable under every Windows implementation).
SIZE_T privateBytes();

}  // namespace comtest
