// A seeded random soak of the registered control, hosted in a container and created plain:
// QUILL_SOAK_CALLS late-bound calls (a million by default) with random members, kinds and
// argument counts and pictures of every kind, stream loads from random bytes, sinks advised
// and unadvised in random order while events are raised. At the end: no crash, memory, GDI
// objects and every reference count back where they were, no object left, and the control
// still draws exactly what the engine draws.
#include <olectl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "argument_maker.h"
#include "atl_host.h"
#include "com_fixture.h"
#include "compositor/com/picture_reader.h"
#include "compositor/engine/lumo_control.h"
#include "picture_zoo.h"
#include "soak_sinks.h"

namespace comtest {
namespace {

long fromEnvironment(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// A member as the type library describes it: call kind and how many arguments it takes.
struct MemberShape {
    DISPID id;
    WORD flags;
    UINT minArgs, maxArgs;
};

std::vector<MemberShape> membersOf(IDispatch* d) {
    std::vector<MemberShape> out;
    ComPtr<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (FAILED(d->GetTypeInfo(0, 0x409, &info)) || FAILED(info->GetTypeAttr(&attr))) return out;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        UINT optional = 0;
        for (SHORT p = 0; p < f->cParams; ++p)
            optional += (f->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FOPT) != 0;
        if (!(f->wFuncFlags & FUNCFLAG_FRESTRICTED))
            out.push_back({f->memid, WORD(f->invkind), UINT(f->cParams) - optional, UINT(f->cParams)});
        info->ReleaseFuncDesc(f);
    }
    info->ReleaseTypeAttr(attr);
    return out;
}

struct Tally {
    long calls = 0, succeeded = 0, exceptions = 0, refused = 0, draws = 0, pictures = 0;
    void add(DISPID id, HRESULT hr) {
        ++calls;
        if (SUCCEEDED(hr)) ++succeeded;
        else if (hr == DISP_E_EXCEPTION) ++exceptions;
        else ++refused;
        if (SUCCEEDED(hr) && id == DISPID(DispId::Lumoscope)) ++draws;
        if (SUCCEEDED(hr) && id == DISPID(DispId::setPicMaterial)) ++pictures;
    }
};

// One control under soak, with what has been advised on it.
struct Subject {
    ComPtr<IDispatch> dispatch;
    ComPtr<IConnectionPoint> events;
    ComPtr<IOleObject> ole;
    ComPtr<IPersistStreamInit> persist;
    HWND window = nullptr;
    std::vector<DWORD> eventCookies, adviseCookies;

    explicit Subject(ComPtr<IDispatch> d) : dispatch(std::move(d)) {
        ComPtr<IConnectionPointContainer> cpc;
        if (SUCCEEDED(dispatch.As(&cpc))) cpc->FindConnectionPoint(DIID___LumoCTRL, &events);
        dispatch.As(&ole);
        dispatch.As(&persist);
    }
};

// What outlives the controls under soak: the pictures and sinks handed to them, whose
// reference counts must come back to where they were.
struct SoakWorld {
    PictureZoo zoo;
    CountingSink sinks[3];
    CountingAdviseSink adviseSinks[2];
    PlainObject plain;

    long eventsDelivered() const { return sinks[0].events + sinks[1].events + sinks[2].events; }
};

class SoakRun {
public:
    SoakRun(std::vector<Subject*> subjects, SoakWorld& world, unsigned seed)
        : subjects_(std::move(subjects)), w_(world), rng_(seed), maker_(rng_, slots_, objects()),
          members_(membersOf(subjects_[0]->dispatch.Get())) {}

    void run(long calls);
    void unadviseAll();
    const Tally& tally() const { return tally_; }

private:
    std::vector<IDispatch*> objects() {
        std::vector<IDispatch*> o = w_.zoo.dispatches();
        for (Subject* s : subjects_) o.push_back(s->dispatch.Get());
        o.push_back(&w_.sinks[0]);
        return o;
    }
    int pick(int n) { return maker_.pick(n); }
    Subject& subject() { return *subjects_[std::size_t(pick(int(subjects_.size())))]; }

    void invoke(Subject& s);
    MemberShape anyShape();
    VARIANT plausible(DISPID id, UINT declared);
    void loadStream(Subject& s);
    bool unadviseAny(std::vector<DWORD>& cookies, const std::function<HRESULT(DWORD)>& unadvise);
    void adviseEvents(Subject& s);
    void adviseOle(Subject& s);
    void raiseEvents(Subject& s);

    std::vector<Subject*> subjects_;
    SoakWorld& w_;
    std::mt19937 rng_;
    Slots slots_;
    ArgumentMaker maker_;
    std::vector<MemberShape> members_;
    Tally tally_;
};

// Until this many more Invoke calls have been made, with the other operations in between.
void SoakRun::run(long calls) {
    const long until = tally_.calls + calls;
    for (long i = 0; tally_.calls < until; ++i) {
        Subject& s = subject();
        const int r = pick(100);
        if (r < 86) invoke(s);
        else if (r < 90) loadStream(s);
        else if (r < 94) adviseEvents(s);
        else if (r < 96) adviseOle(s);
        else if (r < 99) raiseEvents(s);
        else w_.zoo.paintSomewhere(rng_);
        if (i % 1024 == 0) pumpMessages(0);
    }
}

// A quarter of the calls are the steps of the host's redraw, a quarter any member of the type
// library, half anything at all.
MemberShape SoakRun::anyShape() {
    static const DISPID kRedraw[] = {DISPID(DispId::ClsPicView), DISPID(DispId::setPicMaterial),
                                     DISPID(DispId::Lumoscope), DISPID(DispId::ReDraw), DISPID(DispId::Image)};
    static const DISPID kOdd[] = {0, -1, -4, 0x6003000D, 0x7FFFFFFF};
    static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                  DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET, 0};
    switch (pick(4)) {
        case 0: {
            const DISPID id = kRedraw[pick(5)];
            for (const MemberShape& m : members_) {
                if (m.id == id && !(m.flags & DISPATCH_PROPERTYPUT)) return m;
            }
            return members_.front();
        }
        case 1: return members_[std::size_t(pick(int(members_.size())))];
        default: return {kOdd[pick(5)], kFlags[pick(6)], 0, 20};
    }
}

// An argument a host would pass for the member's declared parameter: pictures of the zoo,
// positions around the view, any angle, a few zooms and supersampling factors.
VARIANT SoakRun::plausible(DISPID id, UINT declared) {
    VARIANT v;
    VariantInit(&v);
    const auto& pics = w_.zoo.pictures();
    if (id == DISPID(DispId::setPicView) || id == DISPID(DispId::setPicMaterial) ||
        id == DISPID(DispId::setPicWorkArea)) {
        v.vt = VT_DISPATCH;
        v.pdispVal = pick(10) == 0 ? nullptr : pics[std::size_t(pick(int(pics.size())))].Get();
        if (v.pdispVal) v.pdispVal->AddRef();
        return v;
    }
    static const double kZooms[] = {0, 0.5, 1, 1, 1, 2, 3}, kQts[] = {1, 1, 2, 0.5};
    const bool draw = id == DISPID(DispId::Lumoscope);
    if (draw && declared == 5) return boolean(pick(2));
    if (draw && declared == 4) return r8(kZooms[pick(7)]);
    if (draw && declared == 6) return r8(kQts[pick(4)]);
    if (draw && declared == 3) return i2(short(pick(1441) - 720));
    if (draw && declared == 2) return i2(short(pick(311) - 10));
    if (id == DISPID(DispId::PicViewBgColor))  // a colour, or now and then a system colour
        return i4(pick(8) ? LONG(rng_() & 0xFFFFFF) : LONG(0x80000000 | pick(30)));
    if (id == DISPID(DispId::Enabled)) return boolean(pick(2));
    return i2(short(pick(300) - 50));  // a position
}

void SoakRun::invoke(Subject& s) {
    const MemberShape m = anyShape();
    std::vector<VARIANT> args(m.minArgs + UINT(pick(int(m.maxArgs - m.minArgs + 1))));
    const bool hostLike = pick(4) != 0;
    for (UINT i = 0; i < args.size(); ++i)
        args[i] = hostLike ? plausible(m.id, UINT(args.size()) - 1 - i) : maker_.makeRich();
    const DISPID named[3] = {DISPID_PROPERTYPUT, DISPID(pick(9) - 1), DISPID(pick(9) - 1)};
    DISPPARAMS params{args.data(), nullptr, UINT(args.size()), 0};
    if ((m.flags & DISPATCH_PROPERTYPUT) || pick(5) == 0) {
        params.rgdispidNamedArgs = const_cast<DISPID*>((m.flags & DISPATCH_PROPERTYPUT) ? named : named + 1);
        params.cNamedArgs = std::min<UINT>(UINT(pick(2) + 1), params.cArgs);
    }
    Variant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    tally_.add(m.id, s.dispatch->Invoke(m.id, IID_NULL, LOCALE_USER_DEFAULT, m.flags, &params,
                                        pick(2) ? &result : nullptr, pick(2) ? &excep : nullptr, &argErr));
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    for (VARIANT& a : args) VariantClear(&a);
    maker_.clear();
}

// A stream holds the extent: half the time a plausible one (small ones give views of no area),
// half the time any bytes, too few of them included.
void SoakRun::loadStream(Subject& s) {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return;
    BYTE bytes[16];
    ULONG n = ULONG(pick(17));
    for (ULONG i = 0; i < n; ++i) bytes[i] = BYTE(pick(4) == 0 ? 0xFF : pick(256));
    if (pick(2)) {
        const SIZEL extent{pick(3) ? pick(40) : pick(30000), pick(3) ? pick(40) : pick(30000)};
        std::memcpy(bytes, &extent, sizeof extent);
        n = sizeof extent;
    }
    stream->Write(bytes, n, nullptr);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    switch (pick(8)) {
        case 0: s.persist->InitNew(); break;
        case 1: s.persist->Save(stream.Get(), TRUE); break;
        default: s.persist->Load(stream.Get()); break;
    }
}

// Half the time one of the connections made so far goes, in no particular order.
bool SoakRun::unadviseAny(std::vector<DWORD>& cookies, const std::function<HRESULT(DWORD)>& unadvise) {
    if (cookies.empty() || pick(2)) return false;
    const auto it = cookies.begin() + pick(int(cookies.size()));
    EXPECT_HRESULT_SUCCEEDED(unadvise(*it));
    cookies.erase(it);
    return true;
}

void SoakRun::adviseEvents(Subject& s) {
    if (unadviseAny(s.eventCookies, [&](DWORD c) { return s.events->Unadvise(c); })) return;
    if (pick(4) == 0) {  // cookies that name no connection, and sinks that are none
        EXPECT_EQ(s.events->Unadvise(DWORD(pick(3) == 0 ? 0 : rng_() | 0x80000000u)), CONNECT_E_NOCONNECTION);
        DWORD cookie = 1;
        EXPECT_EQ(s.events->Advise(&w_.plain, &cookie), CONNECT_E_CANNOTCONNECT);
        return;
    }
    DWORD cookie = 0;
    if (SUCCEEDED(s.events->Advise(&w_.sinks[pick(3)], &cookie))) s.eventCookies.push_back(cookie);
}

void SoakRun::adviseOle(Subject& s) {
    if (unadviseAny(s.adviseCookies, [&](DWORD c) { return s.ole->Unadvise(c); })) return;
    DWORD cookie = 0;
    if (SUCCEEDED(s.ole->Advise(&w_.adviseSinks[pick(2)], &cookie))) s.adviseCookies.push_back(cookie);
}

// Mouse and keyboard input to the control's window, which it raises as events to the sinks.
void SoakRun::raiseEvents(Subject& s) {
    if (!s.window) return;
    static const UINT kMessages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                     WM_RBUTTONUP, WM_KEYDOWN, WM_KEYUP, WM_CHAR};
    SendMessageW(s.window, kMessages[pick(8)], WPARAM(pick(256)), MAKELPARAM(pick(400) - 100, pick(300) - 100));
    if (pick(16) == 0) ReleaseCapture();
}

void SoakRun::unadviseAll() {
    for (Subject* s : subjects_) {
        for (DWORD c : s->eventCookies) EXPECT_HRESULT_SUCCEEDED(s->events->Unadvise(c));
        for (DWORD c : s->adviseCookies) EXPECT_HRESULT_SUCCEEDED(s->ole->Unadvise(c));
        s->eventCookies.clear();
        s->adviseCookies.clear();
    }
}

// Resets what the soak may have left loaded, and releases the view picture the control holds.
void resetPictures(IDispatch* d) {
    for (DispId m : {DispId::setPicView, DispId::setPicWorkArea}) {
        Call c;
        method(c, d, m, {dispatch(nullptr)});
        EXPECT_HRESULT_SUCCEEDED(c.hr);
    }
    Call bg;
    put(bg, d, DispId::PicViewBgColor, i4(LONG(kKey)));
    EXPECT_HRESULT_SUCCEEDED(bg.hr);
}

lumo::PictureRef imageOf(IDispatch* d) {
    Call image;
    get(image, d, DispId::Image);
    lumo::PictureRef px;
    if (image.result.vt == VT_DISPATCH)
        lumo::com::pixelsOfPicture(static_cast<IPictureDisp*>(image.result.pdispVal), px);
    return px;
}

// The host's redraw at several angles, through COM and on a fresh engine control of the same
// size: the two views must be the same pixels.
void expectDrawsAsTheEngine(IDispatch* d) {
    resetPictures(d);
    const lumo::PictureRef art = artwork(130, 130);
    ComPtr<IPictureDisp> pic = pictureOf(art);
    const lumo::PictureRef first = imageOf(d);
    ASSERT_TRUE(first);
    lumo::LumoControl engine(first->width, first->height);
    engine.setPicViewBgColor(kKey);
    engine.setPicMaterial(art);
    for (short angle : {0, 45, 90, 200, 359}) {
        hostRedraw(d, pic.Get(), angle);
        using lumo::NumericArg;
        NumericArg x = NumericArg::integer(65), y = NumericArg::integer(65), alpha = NumericArg::integer(255),
                   r360 = NumericArg::integer(angle), zoom = NumericArg::integer(1), smooth = NumericArg::boolean(true);
        engine.clsPicView();
        ASSERT_EQ(engine.lumoscope({x, y, alpha, r360, zoom, smooth, nullptr}), quill::RunError::None);
        const lumo::PictureRef drawn = imageOf(d);
        ASSERT_TRUE(drawn);
        EXPECT_TRUE(drawn->pixels == engine.image()->pixels) << "angle " << angle;
    }
}

DWORD gdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

// Two controls, one hosted in place and one plain, soaked with `calls` calls and released. With
// `checkDrawing`, both must still draw as the engine does before they go.
Tally soakControls(SoakWorld& world, unsigned seed, long calls, bool checkDrawing) {
    AtlHost host(40, 40, 200, 150);
    EXPECT_TRUE(host.ok());
    ComPtr<IDispatch> hosted;
    if (FAILED(host.control().As(&hosted))) return {};
    Subject inPlace(hosted), plain(createControl());
    inPlace.window = host.controlWindow();
    SoakRun soak({&inPlace, &plain}, world, seed);
    soak.run(calls);
    soak.unadviseAll();
    if (checkDrawing) {
        plain.persist->InitNew();  // the design size again, after random extents
        expectDrawsAsTheEngine(hosted.Get());
        expectDrawsAsTheEngine(plain.dispatch.Get());
    }
    for (Subject* s : {&inPlace, &plain}) resetPictures(s->dispatch.Get());
    return soak.tally();
}

void printFigures(const Tally& t, const SoakWorld& world, unsigned seed, double seconds, SIZE_T before,
                  SIZE_T after, DWORD gdiBefore, DWORD gdiAfter) {
    std::printf("soak: seed %u, %ld Invoke calls (%ld succeeded, %ld exceptions, %ld refused; %ld draws, "
                "%ld materials loaded), %ld events; %.1f s (%.0f calls/s); committed memory with no control "
                "alive %zu -> %zu KiB, GDI objects %lu -> %lu (0 where not counted)\n",
                seed, t.calls, t.succeeded, t.exceptions, t.refused, t.draws, t.pictures, world.eventsDelivered(),
                seconds, double(t.calls) / seconds, std::size_t(before / 1024), std::size_t(after / 1024), gdiBefore,
                gdiAfter);
}

// Every reference the soak handed out has come back.
void expectEveryReferenceBack(const SoakWorld& world, const std::vector<ULONG>& pictureRefs) {
    EXPECT_EQ(world.zoo.referenceCounts(), pictureRefs);
    for (const CountingSink& s : world.sinks) EXPECT_EQ(s.refs, 1u);
    for (const CountingAdviseSink& s : world.adviseSinks) EXPECT_EQ(s.refs, 1u);
    EXPECT_EQ(world.plain.refs, 1u);
}

using Soak = ComTest;

TEST_F(Soak, RandomCallsPicturesStreamsAndSinksLeaveTheControlWhole) {
    const long calls = fromEnvironment("QUILL_SOAK_CALLS", 1000000);
    const unsigned seed = unsigned(fromEnvironment("QUILL_SOAK_SEED", 20261209));
    SoakWorld world;
    const std::vector<ULONG> pictureRefs = world.zoo.referenceCounts();
    // A short first round loads what the process keeps once (the container, the type library,
    // the platform's caches); memory is compared with no control alive, so the controls' own
    // caches, which keep the largest surfaces they have drawn, count as nothing.
    soakControls(world, seed + 1, std::min(calls, 2000L), false);
    pumpMessages(20);
    ASSERT_EQ(canUnloadNow(), S_OK);
    const SIZE_T before = privateBytes();
    const DWORD gdiBefore = gdiObjects();

    const auto start = std::chrono::steady_clock::now();
    const Tally t = soakControls(world, seed, calls, true);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    pumpMessages(20);
    EXPECT_EQ(canUnloadNow(), S_OK);  // no object of the DLL is left alive
    const SIZE_T after = privateBytes();
    const DWORD gdiAfter = gdiObjects();
    printFigures(t, world, seed, seconds, before, after, gdiBefore, gdiAfter);

    EXPECT_EQ(t.calls, calls);
    EXPECT_GT(t.draws, 0);
    EXPECT_GT(t.exceptions, 0);
    EXPECT_GT(world.eventsDelivered(), 0);
    expectEveryReferenceBack(world, pictureRefs);
    EXPECT_LE(gdiAfter, gdiBefore);
    // Equal in every run seen; a little room for heap noise, far below one byte a call.
    EXPECT_LT(after, before + 256 * 1024);
}

}  // namespace
}  // namespace comtest
