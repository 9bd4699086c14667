#pragma once
// Wine's ATL as a standard OLE control container: a top-level window holding an AtlAxWin
// child that creates the control by its ProgID.
#include <windows.h>
#include <wrl/client.h>

namespace comtest {

class AtlHost {
public:
    AtlHost(int x, int y, int w, int h);
    ~AtlHost();
    AtlHost(const AtlHost&) = delete;
    AtlHost& operator=(const AtlHost&) = delete;

    bool ok() const { return container_ != nullptr; }
    HWND top() const { return top_; }
    HWND container() const { return container_; }
    Microsoft::WRL::ComPtr<IUnknown> control() const;
    HWND controlWindow() const;  // the control's own child window

private:
    HMODULE atl_ = nullptr;
    HWND top_ = nullptr;
    HWND container_ = nullptr;
};

void pumpMessages(DWORD forMs);

}  // namespace comtest
