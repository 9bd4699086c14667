// Writes the dispatch fuzzer's seed corpus: the calls of the COM suites (host redraws, script
// and typed callers, write-backs, errors, named arguments, null pointers and cycles), spelled
// in the fuzzer's format. Arguments are written as callers lay them out, the last one first.
//   build/native-asan/tests/fuzz/make_dispatch_corpus tests/fuzz/corpus/dispatch
#include <fstream>
#include <functional>
#include <string>

#include "compositor/interface/lumo_dispids.h"
#include "tests/fuzz/dispatch_call_format.h"

using namespace lumo::dispatch;
using lumo::DispId;
using fuzz::CallWriter;

namespace {

constexpr std::uint16_t kMethod = 1, kGet = 2, kPut = 4;
constexpr std::int8_t kPutName = -3;

std::int32_t id(DispId d) { return static_cast<std::int32_t>(d); }

void save(const std::string& dir, const std::string& name, const CallWriter& w) {
    std::ofstream(dir + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(w.bytes().data()), std::streamsize(w.bytes().size()));
}

// Lumoscope(65, 65, alpha, angle, 1, True) with typed Integer references for the rest.
CallWriter draw(const std::function<void(CallWriter&)>& alpha, const std::function<void(CallWriter&)>& angle) {
    CallWriter w;
    w.call(id(DispId::Lumoscope), kMethod, 6).typedRef().integer(VarType::Bool, -1);
    w.typedRef().integer(VarType::I2, 1);
    angle(w);
    alpha(w);
    w.typedRef().integer(VarType::I2, 65).typedRef().integer(VarType::I2, 65);
    return w;
}

void saveDraws(const std::string& dir) {
    save(dir, "host_redraw", draw([](CallWriter& w) { w.typedRef().integer(VarType::I2, 255); },
                                  [](CallWriter& w) { w.typedRef().integer(VarType::I2, 45); }));
    save(dir, "script_write_backs", draw([](CallWriter& w) { w.ref().integer(VarType::I2, 300); },
                                         [](CallWriter& w) { w.ref().integer(VarType::I4, 725); }));
    save(dir, "typed_write_backs", draw([](CallWriter& w) { w.typedRef().real(VarType::R8, 300); },
                                        [](CallWriter& w) { w.typedRef().integer(VarType::UI1, 200); }));
    save(dir, "by_value", draw([](CallWriter& w) { w.integer(VarType::I4, 1000); },
                               [](CallWriter& w) { w.real(VarType::R8, 360); }));
    save(dir, "numeric_text", draw([](CallWriter& w) { w.ref().text(u"300"); },
                                   [](CallWriter& w) { w.ref().text(u"abc"); }));
    CallWriter qt;
    qt.call(id(DispId::Lumoscope), kMethod, 7).integer(VarType::Error, kArgumentMissing);
    qt.typedRef().integer(VarType::Bool, -1);
    for (int v : {1, 30, 255, 65, 65}) qt.integer(VarType::I2, v);
    save(dir, "qt_missing", qt);
    CallWriter named;  // Smoothing, Alpha, Zoom and R360 by name; x and y by position
    named.call(id(DispId::Lumoscope), kMethod, 6, {5, 2, 4, 3}).typedRef().integer(VarType::Bool, -1);
    named.typedRef().integer(VarType::I2, 400).typedRef().real(VarType::R8, 1e10).typedRef().integer(VarType::I2, 0);
    named.typedRef().integer(VarType::I2, 65).typedRef().integer(VarType::I2, 65);
    save(dir, "named", named);
}

void saveProperties(const std::string& dir) {
    CallWriter colour;
    colour.call(id(DispId::PicViewBgColor), kPut, 1, {kPutName}).ref().integer(VarType::I4, std::int32_t(0x80000005u));
    save(dir, "put_system_colour", colour);
    CallWriter badColour;
    badColour.call(id(DispId::PicViewBgColor), kPut, 1, {kPutName}).real(VarType::R8, 4294967295.0);
    save(dir, "put_unsigned_colour", badColour);
    CallWriter enabled;
    enabled.call(id(DispId::Enabled), kPut, 1, {kPutName}).ref().text(u"maybe");
    save(dir, "put_enabled_text", enabled);
    CallWriter image;
    image.call(id(DispId::Image), kGet | kMethod, 0);
    save(dir, "get_image", image);
    CallWriter point;
    point.call(id(DispId::getPoint), kMethod, 2).single(3.5f).ref().real(VarType::R8, 2.5);
    save(dir, "get_point_halves", point);
    CallWriter far;
    far.call(id(DispId::getPoint), kMethod, 2).integer(VarType::I2, 0).real(VarType::R8, 1e300);
    save(dir, "get_point_overflow", far);
}

void savePictures(const std::string& dir) {
    CallWriter material;
    material.call(id(DispId::setPicMaterial), kMethod, 1).typedRef().object(1);
    save(dir, "material_by_reference", material);
    CallWriter notPicture;
    notPicture.call(id(DispId::setPicView), kMethod, 1).object(2);
    save(dir, "view_not_a_picture", notPicture);
    CallWriter nothing;
    nothing.call(id(DispId::setPicView), kMethod, 1).ref().object(0);
    save(dir, "view_nothing", nothing);
}

void saveRefusals(const std::string& dir) {
    CallWriter fewer;
    fewer.call(id(DispId::Lumoscope), kMethod, 5);
    for (int v = 5; v >= 1; --v) fewer.integer(VarType::I2, v);
    save(dir, "too_few", fewer);
    CallWriter missingX;
    missingX.call(id(DispId::getPoint), kMethod, 2).integer(VarType::I2, 2).integer(VarType::Error, kArgumentMissing);
    save(dir, "not_optional", missingX);
    CallWriter nulls;
    nulls.call(id(DispId::getPoint), kMethod, 2).integer(VarType::I2, 0).nullRef();
    save(dir, "null_reference", nulls);
    CallWriter cycle;
    cycle.call(id(DispId::getPoint), kMethod, 2).nullTypedRef().refToCell(1);
    save(dir, "cycle", cycle);
    CallWriter brokenArray;
    brokenArray.call(id(DispId::getPoint), kMethod, 2, {}, 1);
    save(dir, "null_array", brokenArray);
    CallWriter deep;
    deep.call(id(DispId::getPoint), kMethod, 2).integer(VarType::I2, 1);
    for (int i = 0; i < 16; ++i) deep.ref();
    deep.integer(VarType::I2, 3);
    save(dir, "sixteen_references", deep);
    CallWriter odd;  // every other kind of value, twenty of them
    odd.call(id(DispId::Lumoscope), kMethod, 20);
    odd.integer(VarType::I1, -5).integer(VarType::UI2, 7).integer(VarType::Currency, 123456).real(VarType::Date, 2.5);
    odd.real(VarType::Decimal, 1e30).bare(VarType(kArrayFlag | 3)).bare(VarType(0x03FF)).bare(VarType::Null);
    odd.integer(VarType::I8, -1).integer(VarType::UI8, -1).integer(VarType::Int, 9).integer(VarType::UInt, 9);
    odd.bare(VarType::Record).bare(VarType::Variant).integer(VarType::Error, 5).object(2);
    odd.typedRef().bare(VarType(kArrayFlag | 2)).typedRef().text(u"12").ref().ref().single(-0.5f).bare(VarType::Empty);
    save(dir, "every_kind", odd);
    CallWriter kinds;  // a draw whose arguments are of the kinds that compute as Doubles
    kinds.call(id(DispId::Lumoscope), kMethod, 7).typedRef().text(u"2").integer(VarType::I4, 2);
    kinds.real(VarType::Decimal, 1.0).integer(VarType::Currency, 4500000).real(VarType::Date, 300.5);
    kinds.integer(VarType::UI2, 7).integer(VarType::I1, -5);
    save(dir, "odd_kinds", kinds);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "tests/fuzz/corpus/dispatch";
    for (auto write : {saveDraws, saveProperties, savePictures, saveRefusals}) write(dir);
}
