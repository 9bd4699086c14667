// libFuzzer target for the conversion of late-bound call arguments, the same code the COM
// shell runs on its VARIANTs: any call is arranged and converted or refused with an argument
// to blame; what converts is run on the engine, and what the engine changes goes back into
// the caller's variables, all keeping the promises of the interfaces.
#include <cstdlib>

#include "compositor/dispatch_args/convert_args.h"
#include "compositor/engine/lumo_control.h"
#include "tests/compositor/dispatch_args/model_converter.h"
#include "tests/fuzz/dispatch_call_format.h"

namespace {

using namespace lumo::dispatch;
using lumo::NumericArg;
using quill::RunError;

const test::ModelConverter kConverter;

void check(bool ok) {
    if (!ok) std::abort();  // an abort is a finding libFuzzer saves and reports
}

void checkRefusal(const Failure& f, unsigned count) { check(!f.hasIndex || f.argIndex < count); }

// The material: a ring on the key colour, or Nothing when it has no area.
lumo::PictureRef materialOf(const fuzz::FuzzCall& call) {
    const int w = call.materialWidth, h = call.materialHeight;
    if (w == 0 || h == 0) return nullptr;
    std::vector<lumo::Pixel> px(std::size_t(w) * std::size_t(h), 0x00FF00);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x * 7 + y * 3) % 11 == 0 || x == w / 2) px[std::size_t(y * w + x)] = lumo::Pixel(0x102030 * (x % 5));
    return lumo::makePicture(w, h, std::move(px));
}

void loadPicture(lumo::LumoControl& control, Entry e, void* object, const lumo::PictureRef& material) {
    const lumo::PictureRef pic = object == &fuzz::gPicture ? material : nullptr;
    if (e == Entry::SetPicView) control.setPicView(pic);
    if (e == Entry::SetPicMaterial) control.setPicMaterial(pic);
    if (e == Entry::SetPicWorkArea) control.setPicWorkArea(pic);
}

// A write-back lands in the caller's variable: a Variant takes one of the engine's kinds, a
// typed variable keeps its own type.
void writeBackChanged(const Converted& before, const NumericArg& after) {
    if (after.kind() == before.number.kind() && after.value() == before.number.value()) return;
    const VarType typedType = before.origin.typed ? before.origin.typed->type : VarType::Empty;
    if (writeBack(before.origin, after, kConverter) != Refusal::None) return;
    if (before.origin.typed) check(before.origin.typed->type == typedType);
    if (before.origin.variant) {
        const VarType t = before.origin.variant->value.type;
        check(t == VarType::I2 || t == VarType::I4 || t == VarType::R4 || t == VarType::R8 || t == VarType::Bool);
    }
}

void draw(lumo::LumoControl& control, const ConvertedArgs& args, const lumo::PictureRef& material) {
    const Converted* c = args.at;
    control.setPicMaterial(material);
    NumericArg v[5] = {c[0].number, c[1].number, c[2].number, c[3].number, c[4].number};
    NumericArg smoothing = NumericArg::booleanRaw(c[5].boolean, lumo::Slot::Typed);
    NumericArg qt = NumericArg::doubleValue(c[6].real.value_or(1.0), lumo::Slot::Typed);
    const RunError e = control.lumoscope({v[0], v[1], v[2], v[3], v[4], smoothing, c[6].real ? &qt : nullptr});
    if (e == RunError::None) {
        check(v[2].value() >= 0 && v[2].value() <= 255);
        check(v[3].value() > -360 && v[3].value() < 360);
    }
    writeBackChanged(c[2], v[2]);
    writeBackChanged(c[3], v[3]);
}

void runOnEngine(const fuzz::FuzzCall& call, const Signature& s, const ConvertedArgs& args) {
    lumo::LumoControl control(call.viewWidth, call.viewHeight);
    switch (s.entry) {
        case Entry::SetPicView: case Entry::SetPicMaterial: case Entry::SetPicWorkArea:
            loadPicture(control, s.entry, args.at[0].object, materialOf(call));
            break;
        case Entry::GetPoint: {
            std::int32_t colour = 0;
            if (control.getPoint(args.at[0].number, args.at[1].number, colour) == RunError::None)
                check(colour == -1 || (colour >> 24) == 0);
            break;
        }
        case Entry::PutPicViewBgColor: control.setPicViewBgColor(args.at[0].colour); break;
        case Entry::Lumoscope: draw(control, args, materialOf(call)); break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzCall call;
    fuzz::readCall(data, size, call);
    const Signature* s = findSignature(call.id, call.flags);
    if (!s) return 0;
    const Params p = call.params();
    Arrangement a;
    if (const Failure f = arrange(p, *s, a)) {
        checkRefusal(f, p.count);
        return 0;
    }
    ConvertedArgs args;
    if (const Failure f = convertArgs(*s, a, kConverter, 0x0409, args)) {
        check(f.hasIndex);
        checkRefusal(f, p.count);
        return 0;
    }
    runOnEngine(call, *s, args);
    return 0;
}
