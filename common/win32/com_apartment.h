#pragma once
// The single-threaded COM apartment of a user-interface thread, open for as long as this is
// on the stack. Windows-only.
#include <objbase.h>

namespace quill::win32 {

class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // False when the thread could not enter the apartment (one of another kind was open).
    bool entered() const { return entered_; }

private:
    bool entered_;
};

}  // namespace quill::win32
