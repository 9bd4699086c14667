#include "picture_zoo.h"

#include <olectl.h>

namespace comtest {

using Microsoft::WRL::ComPtr;

PictureZoo::PictureZoo() {
    for (bool topDown : {true, false}) {
        addSection(30, 20, 32, topDown);
        addSection(130, 130, 32, topDown);
        addSection(7, 3, 24, topDown);
        addSection(8, 4, 4, topDown);
    }
    addSection(16384, 1, 32, true);  // the widest a surface may be
    addSection(1, 16384, 32, false);
    add(CreateBitmap(16384, 16384, 1, 1, nullptr));  // more pixels than any surface may hold
    add(CreateBitmap(0, 0, 1, 1, nullptr));          // nothing: the system's 1 by 1 stand-in
    HDC screen = GetDC(nullptr);
    add(CreateCompatibleBitmap(screen, 5, 5));
    add(CreateCompatibleBitmap(screen, 0, 7));
    ReleaseDC(nullptr, screen);
    add(nullptr);  // a bitmap picture without a bitmap

    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_NONE;
    addOther(desc, FALSE);
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    addOther(desc, FALSE);
    HDC emf = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(emf, 0, 0, 40, 30);
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CloseEnhMetaFile(emf);
    addOther(desc, TRUE);
    HDC wmf = CreateMetaFileW(nullptr);
    Ellipse(wmf, 0, 0, 20, 10);
    desc.picType = PICTYPE_METAFILE;
    desc.wmf.hmeta = CloseMetaFile(wmf);
    desc.wmf.xExt = 2000;
    desc.wmf.yExt = 1000;
    addOther(desc, TRUE);
}

void PictureZoo::add(HBITMAP bmp) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bmp;
    addOther(desc, TRUE);
}

void PictureZoo::addOther(const PICTDESC& desc, BOOL own) {
    ComPtr<IPictureDisp> pic;
    if (SUCCEEDED(OleCreatePictureIndirect(const_cast<PICTDESC*>(&desc), IID_IPictureDisp, own,
                                           reinterpret_cast<void**>(pic.GetAddressOf())))) {
        pictures_.push_back(pic);
    }
}

void PictureZoo::addSection(int w, int h, int bits, bool topDown) {
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[16];
    } bi{};
    bi.h = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, WORD(bits), BI_RGB, 0, 0, 0, bits == 4 ? 16u : 0u, 0};
    for (int i = 0; i < 16; ++i) bi.colours[i] = {BYTE(i * 16), BYTE(255 - i * 16), BYTE(i * 8), 0};
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &p, nullptr, 0);
    if (!bmp) return;
    const std::size_t bytes = std::size_t((w * bits + 31) / 32 * 4) * std::size_t(h);
    for (std::size_t i = 0; i < bytes; ++i) static_cast<BYTE*>(p)[i] = BYTE(i * 7 + (i / 97));
    if (bits == 32) sections_.push_back({static_cast<DWORD*>(p), std::size_t(w) * std::size_t(h)});
    add(bmp);
}

std::vector<IDispatch*> PictureZoo::dispatches() const {
    std::vector<IDispatch*> out;
    for (const auto& p : pictures_) out.push_back(p.Get());
    return out;
}

void PictureZoo::paintSomewhere(std::mt19937& rng) {
    if (sections_.empty()) return;
    GdiFlush();
    const Section& s = sections_[rng() % sections_.size()];
    for (int i = 0; i < 8; ++i) s.bits[rng() % s.pixels] = DWORD(rng()) & 0x00FFFFFF;
}

std::vector<ULONG> PictureZoo::referenceCounts() const {
    std::vector<ULONG> counts;
    for (const auto& p : pictures_) {
        p->AddRef();
        counts.push_back(p->Release());
    }
    return counts;
}

}  // namespace comtest
