#include "compositor/dispatch_args/signatures.h"

namespace lumo::dispatch {
namespace {

constexpr ParamKind N = ParamKind::Numeric;

const Signature kSignatures[] = {
    {Entry::SetPicView, DispId::setPicView, CallKind::Method, 1, 1, {ParamKind::Picture}},
    {Entry::SetPicMaterial, DispId::setPicMaterial, CallKind::Method, 1, 1, {ParamKind::Picture}},
    {Entry::SetPicWorkArea, DispId::setPicWorkArea, CallKind::Method, 1, 1, {ParamKind::Picture}},
    {Entry::GetViewhDC, DispId::getViewhDC, CallKind::Method, 0, 0, {}},
    {Entry::GetEnabled, DispId::Enabled, CallKind::Get, 0, 0, {}},
    {Entry::PutEnabled, DispId::Enabled, CallKind::Put, 1, 1, {ParamKind::Boolean}},
    {Entry::GetPicture, DispId::Picture, CallKind::Get, 0, 0, {}},
    {Entry::GetImage, DispId::Image, CallKind::Get, 0, 0, {}},
    {Entry::GetPoint, DispId::getPoint, CallKind::Method, 2, 2, {N, N}},
    {Entry::GetPicViewBgColor, DispId::PicViewBgColor, CallKind::Get, 0, 0, {}},
    {Entry::PutPicViewBgColor, DispId::PicViewBgColor, CallKind::Put, 1, 1, {ParamKind::Colour}},
    {Entry::ClsPicView, DispId::ClsPicView, CallKind::Method, 0, 0, {}},
    {Entry::ReDraw, DispId::ReDraw, CallKind::Method, 0, 0, {}},
    {Entry::Lumoscope, DispId::Lumoscope, CallKind::Method, 6, 7,
     {N, N, N, N, N, ParamKind::Boolean, ParamKind::OptionalDouble}},
};

constexpr std::uint16_t bit(CallKind k) { return static_cast<std::uint16_t>(k); }

}  // namespace

const Signature* findSignature(std::int32_t id, std::uint16_t flags) {
    const std::uint16_t put = bit(CallKind::Put);
    const std::uint16_t wanted = (flags & put) ? put : flags & (bit(CallKind::Method) | bit(CallKind::Get));
    for (const Signature& s : kSignatures) {
        if (static_cast<std::int32_t>(s.id) == id && (bit(s.kind) & wanted)) return &s;
    }
    return nullptr;
}

}  // namespace lumo::dispatch
