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

// A small view and material keep every draw cheap; the engine's caps bound the rest.
lumo::PictureRef smallPicture() {
    std::vector<lumo::Pixel> px(6 * 5, 0x00FF00);
    px[7] = 0x123456;
    return lumo::makePicture(6, 5, std::move(px));
}

void loadPicture(lumo::LumoControl& control, Entry e, void* object) {
    const lumo::PictureRef pic = object == &fuzz::gPicture ? smallPicture() : nullptr;
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

void draw(lumo::LumoControl& control, const ConvertedArgs& args) {
    const Converted* c = args.at;
    control.setPicMaterial(smallPicture());
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

void runOnEngine(const Signature& s, const ConvertedArgs& args) {
    lumo::LumoControl control(48, 32);
    switch (s.entry) {
        case Entry::SetPicView: case Entry::SetPicMaterial: case Entry::SetPicWorkArea:
            loadPicture(control, s.entry, args.at[0].object);
            break;
        case Entry::GetPoint: {
            std::int32_t colour = 0;
            if (control.getPoint(args.at[0].number, args.at[1].number, colour) == RunError::None)
                check(colour == -1 || (colour >> 24) == 0);
            break;
        }
        case Entry::PutPicViewBgColor: control.setPicViewBgColor(args.at[0].colour); break;
        case Entry::Lumoscope: draw(control, args); break;
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
    runOnEngine(*s, args);
    return 0;
}
