#include "compositor/com/connection_point.h"

#include <olectl.h>

#include <algorithm>
#include <new>

#include "compositor/com/lumoscope_h.h"
#include "compositor/com/module.h"
#include "compositor/com/outcome.h"

namespace lumo::com {
namespace {

// Holding a reference for an enumerated item, and handing one out.
void addRef(CONNECTDATA& c) { c.pUnk->AddRef(); }
void release(CONNECTDATA& c) { c.pUnk->Release(); }
void addRef(IConnectionPoint* p) { p->AddRef(); }
void release(IConnectionPoint* p) { p->Release(); }

// IEnumConnections and IEnumConnectionPoints share their shape: a snapshot of items, each
// with a reference held by the enumerator.
template <typename IEnum, typename Item>
class Enumerator final : public IEnum {
public:
    explicit Enumerator(std::vector<Item> items, std::size_t pos = 0)
        : items_(std::move(items)), pos_(pos) {
        for (Item& i : items_) addRef(i);
    }
    ~Enumerator() {
        for (Item& i : items_) release(i);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != __uuidof(IEnum)) return E_NOINTERFACE;
        *out = static_cast<IEnum*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) noexcept override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && pos_ < items_.size(); ++n, ++pos_) {
            out[n] = items_[pos_];
            addRef(out[n]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override {
        const std::size_t left = items_.size() - pos_;
        pos_ += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() noexcept override {
        pos_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnum** out) noexcept override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return guarded([&] {
            *out = new Enumerator(items_, pos_);
            return S_OK;
        });
    }

private:
    ModuleRef module_;
    ULONG refs_ = 1;
    std::vector<Item> items_;
    std::size_t pos_;
};

using ConnectionsEnum = Enumerator<IEnumConnections, CONNECTDATA>;
using PointsEnum = Enumerator<IEnumConnectionPoints, IConnectionPoint*>;

}  // namespace

HRESULT EventConnectionPoint::QueryInterface(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT EventConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = DIID___LumoCTRL;
    return S_OK;
}

HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) noexcept {
    if (!out) return E_POINTER;
    *out = &owner_;
    owner_.AddRef();
    return S_OK;
}

HRESULT EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IDispatch> disp;
    // Sinks built for the event interface answer to its IID; script-style sinks only to IDispatch.
    if (FAILED(sink->QueryInterface(DIID___LumoCTRL, reinterpret_cast<void**>(disp.GetAddressOf()))) &&
        FAILED(sink->QueryInterface(IID_PPV_ARGS(&disp))))
        return CONNECT_E_CANNOTCONNECT;
    return guarded([&] {
        sinks_.push_back({nextCookie_, disp});
        *cookie = nextCookie_++;
        return S_OK;
    });
}

HRESULT EventConnectionPoint::Unadvise(DWORD cookie) noexcept {
    auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](const Connection& c) { return c.cookie == cookie; });
    if (cookie == 0 || it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    sinks_.erase(it);
    return S_OK;
}

HRESULT EventConnectionPoint::EnumConnections(IEnumConnections** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        std::vector<CONNECTDATA> items;
        for (const Connection& c : sinks_) items.push_back({c.sink.Get(), c.cookie});
        *out = new ConnectionsEnum(std::move(items));
        return S_OK;
    });
}

void EventConnectionPoint::fire(EventId id, VARIANT* args, UINT count) noexcept {
    if (sinks_.empty()) return;
    try {
        // A snapshot: handlers may advise or unadvise while the event is being raised.
        std::vector<ComPtr<IDispatch>> targets;
        for (const Connection& c : sinks_) targets.push_back(c.sink);
        ComPtr<IConnectionPointContainer> keepAlive(&owner_);
        DISPPARAMS params{args, nullptr, count, 0};
        for (const ComPtr<IDispatch>& sink : targets)
            sink->Invoke(DISPID(id), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                         nullptr, nullptr, nullptr);
    } catch (const std::bad_alloc&) {
        // No memory for the snapshot: the event is lost, the control goes on.
    }
}

HRESULT enumerateOnePoint(IConnectionPoint* point, IEnumConnectionPoints** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        *out = new PointsEnum({point});
        return S_OK;
    });
}

}  // namespace lumo::com
