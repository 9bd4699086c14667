// Late-bound calls as typed callers and as script callers make them: argument conversion,
// write-backs into the caller's own variables, the optional QT, and errors.
#include <cmath>

#include "com_fixture.h"

namespace comtest {
namespace {

class Dispatch : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        d = createControl();
        ASSERT_TRUE(d);
        Call bg, mat;
        put(bg, d.Get(), DispId::PicViewBgColor, i4(LONG(kKey)));
        IDispatch* pic = material.Get();
        VARIANT a;
        a.vt = VT_BYREF | VT_DISPATCH;
        a.ppdispVal = &pic;
        method(mat, d.Get(), DispId::setPicMaterial, {a});
        ASSERT_HRESULT_SUCCEEDED(mat.hr);
    }
    void TearDown() override {
        d.Reset();
        material.Reset();
        ComTest::TearDown();
    }

    // Lumoscope(65, 65, alpha, angle, 1, True) with alpha and angle as given.
    void draw(Call& c, VARIANT alpha, VARIANT angle) {
        Variant x, y, zoom;
        x.vt = y.vt = zoom.vt = VT_I2;
        x.iVal = y.iVal = 65;
        zoom.iVal = 1;
        VARIANT_BOOL smooth = VARIANT_TRUE;
        method(c, d.Get(), DispId::Lumoscope, {refTo(x), refTo(y), alpha, angle, refTo(zoom), refBool(&smooth)});
    }

    ComPtr<IPictureDisp> material = pictureOf(artwork(130, 130));
    ComPtr<IDispatch> d;
};

TEST_F(Dispatch, ScriptCallersGetAlphaAndAngleBackInTheirVariants) {
    Variant alpha, angle;
    alpha.vt = VT_I2;
    alpha.iVal = 300;
    angle.vt = VT_I4;
    angle.lVal = 725;
    Call c;
    draw(c, refTo(alpha), refTo(angle));
    ASSERT_HRESULT_SUCCEEDED(c.hr);
    EXPECT_EQ(alpha.vt, VT_I2);
    EXPECT_EQ(alpha.iVal, 255);
    EXPECT_EQ(angle.vt, VT_I4);  // a reduced Long stays a Long
    EXPECT_EQ(angle.lVal, 5);

    // A Double below range becomes the Integer 0; an Integer angle stays an Integer.
    VariantClear(&alpha);
    alpha.vt = VT_R8;
    alpha.dblVal = -5;
    VariantClear(&angle);
    angle.vt = VT_I2;
    angle.iVal = -370;
    Call c2;
    draw(c2, refTo(alpha), refTo(angle));
    ASSERT_HRESULT_SUCCEEDED(c2.hr);
    EXPECT_EQ(alpha.vt, VT_I2);
    EXPECT_EQ(alpha.iVal, 0);
    EXPECT_EQ(angle.vt, VT_I2);
    EXPECT_EQ(angle.iVal, -10);
}

TEST_F(Dispatch, TypedCallersGetWriteBacksInTheirOwnTypes) {
    double alpha = 300.0;
    short angle = 370;
    Call c;
    draw(c, refR8(&alpha), refI2(&angle));
    ASSERT_HRESULT_SUCCEEDED(c.hr);
    EXPECT_EQ(alpha, 255.0);
    EXPECT_EQ(angle, 10);

    BYTE smallAlpha = 200;  // in range: left alone
    LONG bigAngle = -30;
    VARIANT a, r;
    a.vt = VT_BYREF | VT_UI1;
    a.pbVal = &smallAlpha;
    r.vt = VT_BYREF | VT_I4;
    r.plVal = &bigAngle;
    Call c2;
    draw(c2, a, r);
    ASSERT_HRESULT_SUCCEEDED(c2.hr);
    EXPECT_EQ(smallAlpha, 200);
    EXPECT_EQ(bigAngle, -30);
}

TEST_F(Dispatch, ValuesPassedByValueAreUsedButNotWrittenAnywhere) {
    VARIANT alpha = i4(1000), angle = r8(360.0);
    Call c;
    draw(c, alpha, angle);
    ASSERT_HRESULT_SUCCEEDED(c.hr);
    EXPECT_EQ(alpha.vt, VT_I4);
    EXPECT_EQ(alpha.lVal, 1000);
}

TEST_F(Dispatch, NumericTextAndSmallIntegersCountAsNumbers) {
    Variant alpha, angle;
    alpha.vt = VT_BSTR;
    alpha.bstrVal = SysAllocString(L"300");
    angle.vt = VT_I2;
    angle.iVal = 45;
    Call c;
    draw(c, refTo(alpha), refTo(angle));
    ASSERT_HRESULT_SUCCEEDED(c.hr);
    EXPECT_EQ(alpha.vt, VT_I2);
    EXPECT_EQ(alpha.iVal, 255);
}

TEST_F(Dispatch, QtIsOptionalAndDefaultsToOne) {
    // Drawn once without QT, once with a missing QT, once with QT = 1.0: the same view.
    auto drawWith = [&](std::vector<VARIANT> tail) {
        Call cls, c;
        method(cls, d.Get(), DispId::ClsPicView);
        short x = 65, y = 65, alpha = 255, angle = 30, zoom = 1;
        VARIANT_BOOL smooth = VARIANT_TRUE;
        std::vector<VARIANT> args{refI2(&x), refI2(&y), refI2(&alpha), refI2(&angle), refI2(&zoom), refBool(&smooth)};
        args.insert(args.end(), tail.begin(), tail.end());
        method(c, d.Get(), DispId::Lumoscope, args);
        EXPECT_HRESULT_SUCCEEDED(c.hr);
        std::vector<LONG> px;
        for (int i = 0; i < 130; i += 3) px.push_back(pointAt(d.Get(), i, 130 - i));
        return px;
    };
    double one = 1.0;
    const auto omitted = drawWith({});
    EXPECT_EQ(drawWith({missing()}), omitted);
    EXPECT_EQ(drawWith({refR8(&one)}), omitted);
    EXPECT_NE(drawWith({r8(2.0)}), omitted);
    EXPECT_EQ(one, 1.0);  // QT is never written back
}

TEST_F(Dispatch, MemberErrorsComeBackAsExceptionsWithTheirCode) {
    Variant word;
    word.vt = VT_BSTR;
    word.bstrVal = SysAllocString(L"abc");
    Call mismatch;
    draw(mismatch, refTo(word), i2(0));
    EXPECT_EQ(mismatch.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(mismatch.excep.scode, DISP_E_TYPEMISMATCH);
    EXPECT_STREQ(mismatch.excep.bstrSource, L"Lumoscope.LumoCTRL");
    EXPECT_STREQ(mismatch.excep.bstrDescription, L"Type mismatch");

    Call overflow;  // a zoomed size beyond 32 bits
    short x = 65, y = 65, alpha = 300, angle = 0;
    double zoom = 1e10;
    VARIANT_BOOL smooth = VARIANT_TRUE;
    method(overflow, d.Get(), DispId::Lumoscope, {refI2(&x), refI2(&y), refI2(&alpha), refI2(&angle), refR8(&zoom), refBool(&smooth)});
    EXPECT_EQ(overflow.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(overflow.excep.scode, DISP_E_OVERFLOW);
    EXPECT_EQ(alpha, 255);  // the clamp before the failing step still reaches the caller

    Call badColour;
    put(badColour, d.Get(), DispId::PicViewBgColor, i4(0x12345678));
    EXPECT_EQ(badColour.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(badColour.excep.scode, CTL_E_INVALIDPROPERTYVALUE);
}

TEST_F(Dispatch, ArgumentsThatCannotBeTakenAreReportedWithTheirPosition) {
    Call fewer, more, unknown, putOnMethod, notOptional, notPicture, notBoolean;
    method(fewer, d.Get(), DispId::Lumoscope, {i2(1), i2(2), i2(3), i2(4), i2(5)});
    EXPECT_EQ(fewer.hr, DISP_E_BADPARAMCOUNT);
    method(more, d.Get(), DispId::getPoint, {i2(1), i2(2), i2(3)});
    EXPECT_EQ(more.hr, DISP_E_BADPARAMCOUNT);
    method(unknown, d.Get(), DispId(0x12345), {});
    EXPECT_EQ(unknown.hr, DISP_E_MEMBERNOTFOUND);
    put(putOnMethod, d.Get(), DispId::ClsPicView, i2(1));
    EXPECT_EQ(putOnMethod.hr, DISP_E_MEMBERNOTFOUND);
    method(notOptional, d.Get(), DispId::getPoint, {missing(), i2(2)});
    EXPECT_EQ(notOptional.hr, DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(notOptional.argErr, 1u);  // rgvarg index: arguments are stored last first
    method(notPicture, d.Get(), DispId::setPicMaterial, {i2(7)});
    EXPECT_EQ(notPicture.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(notPicture.argErr, 0u);
    method(notPicture, d.Get(), DispId::setPicView, {dispatch(d.Get())});  // an object, not a picture
    EXPECT_EQ(notPicture.hr, DISP_E_TYPEMISMATCH);
    Variant word;
    word.vt = VT_BSTR;
    word.bstrVal = SysAllocString(L"maybe");
    put(notBoolean, d.Get(), DispId::Enabled, refTo(word));
    EXPECT_EQ(notBoolean.hr, DISP_E_TYPEMISMATCH);
}

TEST_F(Dispatch, NullPointersAndCyclesNeverCrash) {
    VARIANT nullRef;
    nullRef.vt = VT_BYREF | VT_VARIANT;
    nullRef.pvarVal = nullptr;
    Call c1, c2, c3, c4;
    method(c1, d.Get(), DispId::getPoint, {nullRef, i2(0)});
    EXPECT_EQ(c1.hr, E_POINTER);
    VARIANT cycle;
    cycle.vt = VT_BYREF | VT_VARIANT;
    cycle.pvarVal = &cycle;
    method(c2, d.Get(), DispId::getPoint, {cycle, i2(0)});
    EXPECT_EQ(c2.hr, DISP_E_TYPEMISMATCH);
    DISPPARAMS broken{nullptr, nullptr, 2, 0};
    EXPECT_EQ(d->Invoke(DISPID(DispId::getPoint), IID_NULL, 0, DISPATCH_METHOD, &broken, nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(d->Invoke(DISPID(DispId::ClsPicView), IID_IDispatch, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    // No DISPPARAMS, no result, no EXCEPINFO: still answered.
    EXPECT_HRESULT_SUCCEEDED(d->Invoke(DISPID(DispId::Image), IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr));
    Variant word;
    word.vt = VT_BSTR;
    word.bstrVal = SysAllocString(L"x");
    method(c3, d.Get(), DispId::setPicView, {refTo(word)});
    EXPECT_EQ(c3.hr, DISP_E_TYPEMISMATCH);
    VARIANT nullTyped;
    nullTyped.vt = VT_BYREF | VT_I2;
    nullTyped.piVal = nullptr;
    method(c4, d.Get(), DispId::getPoint, {i2(0), nullTyped});
    EXPECT_EQ(c4.hr, E_POINTER);
}

TEST_F(Dispatch, NamedArgumentsLandInTheirPositions) {
    short x = 65, y = 65, alpha = 400, angle = 0, zoom = 1;
    VARIANT_BOOL smooth = VARIANT_TRUE;
    // Smoothing and Alpha by name, the first two by position.
    VARIANT args[] = {refBool(&smooth), refI2(&alpha), refI2(&zoom), refI2(&angle), refI2(&y), refI2(&x)};
    DISPID names[] = {5, 2, 4, 3};
    DISPPARAMS p{args, names, 6, 4};
    EXPECT_HRESULT_SUCCEEDED(d->Invoke(DISPID(DispId::Lumoscope), IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr));
    EXPECT_EQ(alpha, 255);
    DISPID wrong[] = {9, 2, 4, 3};
    p.rgdispidNamedArgs = wrong;
    UINT argErr = 99;
    EXPECT_EQ(d->Invoke(DISPID(DispId::Lumoscope), IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, &argErr),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argErr, 0u);
}

TEST_F(Dispatch, BackgroundColourReadsWithoutChangeAndWritesEraseTheView) {
    Call first, second;
    get(first, d.Get(), DispId::PicViewBgColor);
    ASSERT_EQ(first.result.vt, VT_I4);
    EXPECT_EQ(first.result.lVal, LONG(kKey));
    Call c;
    draw(c, i2(255), i2(0));
    const LONG drawn = pointAt(d.Get(), 65, 65);
    get(second, d.Get(), DispId::PicViewBgColor);
    EXPECT_EQ(second.result.lVal, LONG(kKey));
    EXPECT_EQ(pointAt(d.Get(), 65, 65), drawn);

    Variant colour;  // a script's variable holding a system colour, as a negative Long
    colour.vt = VT_I4;
    colour.lVal = LONG(0x80000005u);
    Call set;
    put(set, d.Get(), DispId::PicViewBgColor, refTo(colour));
    ASSERT_HRESULT_SUCCEEDED(set.hr);
    const LONG window = LONG(GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pointAt(d.Get(), 65, 65), window);
    EXPECT_EQ(pointAt(d.Get(), 469, 245), window);
}

TEST_F(Dispatch, GetPointRoundsHalfToEvenAndAnswersMinusOneOutside) {
    std::vector<lumo::Pixel> px(16 * 2);
    for (int x = 0; x < 16; ++x) px[x] = px[16 + x] = lumo::Pixel(0x010000 * x);
    ComPtr<IPictureDisp> pic = pictureOf(lumo::makePicture(16, 2, px));
    Call set, a, b, c;
    method(set, d.Get(), DispId::setPicView, {dispatch(pic.Get())});
    ASSERT_HRESULT_SUCCEEDED(set.hr);
    Variant x, y;
    x.vt = VT_R8;
    x.dblVal = 2.5;
    y.vt = VT_I2;
    y.iVal = 0;
    method(a, d.Get(), DispId::getPoint, {refTo(x), refTo(y)});
    EXPECT_EQ(a.result.lVal, 2);  // column 2: red 2 is COLORREF 0x000002
    method(b, d.Get(), DispId::getPoint, {r4(3.5f), i2(0)});
    EXPECT_EQ(b.result.lVal, 4);
    EXPECT_EQ(pointAt(d.Get(), -1, 0), -1);
    EXPECT_EQ(pointAt(d.Get(), 470, 0), -1);
    EXPECT_EQ(pointAt(d.Get(), 0, 246), -1);
    method(c, d.Get(), DispId::getPoint, {r8(1e300), i2(0)});
    EXPECT_EQ(c.excep.scode, DISP_E_OVERFLOW);
}

TEST_F(Dispatch, EnabledReadsAndWritesAsABoolean) {
    Call a, set, b;
    get(a, d.Get(), DispId::Enabled);
    EXPECT_EQ(a.result.vt, VT_BOOL);
    EXPECT_EQ(a.result.boolVal, VARIANT_TRUE);
    put(set, d.Get(), DispId::Enabled, i2(0));
    ASSERT_HRESULT_SUCCEEDED(set.hr);
    get(b, d.Get(), DispId::Enabled);
    EXPECT_EQ(b.result.boolVal, VARIANT_FALSE);
}

TEST_F(Dispatch, ViewDcIsARealDeviceContextOnTheViewsPixels) {
    Call hdcCall, cls;
    method(hdcCall, d.Get(), DispId::getViewhDC);
    ASSERT_EQ(hdcCall.result.vt, VT_I4);
    HDC dc = reinterpret_cast<HDC>(LONG_PTR(hdcCall.result.lVal));
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
    BITMAP bm{};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 470);
    EXPECT_EQ(bm.bmHeight, 246);
    EXPECT_EQ(LONG(GetPixel(dc, 10, 10)), pointAt(d.Get(), 10, 10));
    SetPixel(dc, 10, 10, RGB(1, 2, 3));  // drawing through the DC shows in the view
    EXPECT_EQ(pointAt(d.Get(), 10, 10), LONG(RGB(1, 2, 3)));
    method(cls, d.Get(), DispId::ClsPicView);
    EXPECT_EQ(pointAt(d.Get(), 10, 10), LONG(kKey));
}

TEST_F(Dispatch, EarlyBoundCallersReachTheSameMembers) {
    ComPtr<_LumoCTRL> early;
    ASSERT_HRESULT_SUCCEEDED(d.As(&early));
    OLE_COLOR bg = 0x00000080;
    ASSERT_HRESULT_SUCCEEDED(early->put_PicViewBgColor(&bg));
    Variant x, y, alpha, angle, zoom;
    x.vt = y.vt = alpha.vt = angle.vt = zoom.vt = VT_I2;
    x.iVal = y.iVal = 65;
    alpha.iVal = 999;
    angle.iVal = 400;
    zoom.iVal = 1;
    VARIANT_BOOL smooth = VARIANT_TRUE;
    ASSERT_HRESULT_SUCCEEDED(early->Lumoscope(&x, &y, &alpha, &angle, &zoom, &smooth, nullptr));
    EXPECT_EQ(alpha.iVal, 255);
    EXPECT_EQ(angle.iVal, 40);
    LONG colour = 0;
    ASSERT_HRESULT_SUCCEEDED(early->getPoint(&x, &y, &colour));
    EXPECT_EQ(colour, pointAt(d.Get(), 65, 65));
    EXPECT_EQ(early->Lumoscope(&x, &y, nullptr, &angle, &zoom, &smooth, nullptr), E_POINTER);
    ComPtr<IPictureDisp> image;
    ASSERT_HRESULT_SUCCEEDED(early->get_Image(&image));
    EXPECT_TRUE(image);
}

TEST_F(Dispatch, EarlyBoundCallsThatFailHandBackNoValue) {
    ComPtr<_LumoCTRL> early;
    ASSERT_HRESULT_SUCCEEDED(d.As(&early));
    Variant text, huge, y;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"left");
    huge.vt = VT_R8;
    huge.dblVal = 1e30;
    y.vt = VT_I2;
    y.iVal = 3;
    for (VARIANT* x : {static_cast<VARIANT*>(&text), static_cast<VARIANT*>(&huge)}) {
        LONG colour = 0x12345678;
        EXPECT_TRUE(FAILED(early->getPoint(x, &y, &colour)));
        EXPECT_EQ(colour, 0);  // never the previous contents, never whatever the call left behind
    }
}

}  // namespace
}  // namespace comtest
