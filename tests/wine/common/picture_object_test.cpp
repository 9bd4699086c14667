// The Windows picture helpers both the control and the program use: a picture survives the
// trip through a picture object, rows of a wider buffer keep their place, empty and foreign
// objects read as the control and its callers expect, and errors survive the trip through an
// HRESULT.
#include "common/win32/picture_object.h"

#include <olectl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/win32/hresult_errors.h"

namespace {

using Microsoft::WRL::ComPtr;
using quill::Pixel;
using quill::PictureRef;
using quill::RunError;
namespace win32 = quill::win32;

class PictureObjects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(PictureObjects, APictureComesBackPixelForPixelFromItsObject) {
    // Distinct pixels, so a flipped or shifted row shows; the top byte is not part of a colour.
    const int w = 5, h = 3;
    std::vector<Pixel> px(w * h);
    for (int i = 0; i < w * h; ++i) px[i] = 0xAB000000u | Pixel(i * 0x010305);
    const PictureRef sent = quill::makePicture(w, h, px);
    ComPtr<IPictureDisp> object;
    ASSERT_HRESULT_SUCCEEDED(win32::newPictureObject(sent.get(), &object));
    PictureRef back;
    ASSERT_EQ(win32::readPicture(object.Get(), back), RunError::None);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, w);
    EXPECT_EQ(back->height, h);
    EXPECT_EQ(back->pixels, sent->pixels);
}

TEST_F(PictureObjects, RowsOfAWiderBufferKeepTheirPlace) {
    // A 2 by 2 window into a 3-pixel-wide buffer: the third column must not leak in.
    const std::vector<Pixel> buffer = {1, 2, 0xEEEEEE, 3, 4, 0xEEEEEE};
    ComPtr<IPictureDisp> object;
    ASSERT_HRESULT_SUCCEEDED(win32::newPictureObject(buffer.data(), 2, 2, 3, &object));
    PictureRef back;
    ASSERT_EQ(win32::readPicture(object.Get(), back), RunError::None);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, (std::vector<Pixel>{1, 2, 3, 4}));
}

TEST_F(PictureObjects, NothingAndTheEmptyPictureReadAsNoPictureAndAnIconIsRefused) {
    PictureRef out = quill::makePicture(1, 1, {0});
    EXPECT_EQ(win32::readPicture(nullptr, out), RunError::None);
    EXPECT_FALSE(out);

    ComPtr<IPictureDisp> empty;
    ASSERT_HRESULT_SUCCEEDED(win32::newPictureObject(static_cast<const quill::Picture*>(nullptr), &empty));
    EXPECT_EQ(win32::readPicture(empty.Get(), out), RunError::None);
    EXPECT_FALSE(out);

    PICTDESC icon{};
    icon.cbSizeofstruct = sizeof icon;
    icon.picType = PICTYPE_ICON;
    icon.icon.hicon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    ComPtr<IPictureDisp> iconObject;
    ASSERT_HRESULT_SUCCEEDED(OleCreatePictureIndirect(&icon, IID_IPictureDisp, FALSE,
                                                      reinterpret_cast<void**>(iconObject.GetAddressOf())));
    EXPECT_EQ(win32::readPicture(iconObject.Get(), out), RunError::InvalidPicture);
    EXPECT_FALSE(out);
}

TEST(HresultErrors, EveryRunTimeErrorSurvivesTheTripAndAForeignFailureIsAnInvalidCall) {
    for (RunError e : {RunError::None, RunError::InvalidCall, RunError::Overflow, RunError::OutOfMemory,
                       RunError::SubscriptOutOfRange, RunError::TypeMismatch, RunError::InvalidPropertyValue,
                       RunError::InvalidPicture}) {
        EXPECT_EQ(win32::runErrorFor(win32::hresultFor(e)), e) << static_cast<int>(e);
    }
    EXPECT_EQ(win32::runErrorFor(E_FAIL), RunError::InvalidCall);
    EXPECT_EQ(win32::runErrorFor(S_FALSE), RunError::None);
}

}  // namespace
