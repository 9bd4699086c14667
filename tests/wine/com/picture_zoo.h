#pragma once
// Picture objects of every kind a host can hand over: bitmaps from nothing to 16,384 pixels a
// side, device-dependent ones, DIB sections of several depths in both row orders (the 32-bit
// ones changed in place on request), icons, metafiles, empty pictures.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <random>
#include <vector>

namespace comtest {

class PictureZoo {
public:
    PictureZoo();

    const std::vector<Microsoft::WRL::ComPtr<IPictureDisp>>& pictures() const { return pictures_; }
    std::vector<IDispatch*> dispatches() const;
    // Changes pixels of one of the 32-bit sections in place, as a host drawing into it would.
    void paintSomewhere(std::mt19937& rng);
    // Each picture's reference count now.
    std::vector<ULONG> referenceCounts() const;

private:
    void add(HBITMAP bmp);
    void addSection(int w, int h, int bits, bool topDown);
    void addOther(const PICTDESC& desc, BOOL own);

    std::vector<Microsoft::WRL::ComPtr<IPictureDisp>> pictures_;
    struct Section {
        DWORD* bits;
        std::size_t pixels;
    };
    std::vector<Section> sections_;  // the 32-bit ones
};

}  // namespace comtest
