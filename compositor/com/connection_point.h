#pragma once
// The connection point of the event interface: sinks advise and unadvise by cookie, and the
// control raises its events to every sink through IDispatch::Invoke.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

#include "compositor/interface/lumo_dispids.h"

namespace lumo::com {

using Microsoft::WRL::ComPtr;

// Lives inside its container and shares the container's reference count, so neither keeps
// the other alive in a cycle.
class EventConnectionPoint final : public IConnectionPoint {
public:
    explicit EventConnectionPoint(IConnectionPointContainer& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return owner_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) noexcept override;

    // Raises an event; args are in DISPPARAMS order (last argument first). Sinks that fail are
    // ignored; a sink may unadvise while it handles the event.
    void fire(EventId id, VARIANT* args, UINT count) noexcept;
    void disconnectAll() noexcept { sinks_.clear(); }

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IDispatch> sink;
    };

    IConnectionPointContainer& owner_;
    std::vector<Connection> sinks_;
    DWORD nextCookie_ = 1;
};

// IConnectionPointContainer::EnumConnectionPoints over one point.
HRESULT enumerateOnePoint(IConnectionPoint* point, IEnumConnectionPoints** out) noexcept;

}  // namespace lumo::com
