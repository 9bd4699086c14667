#include "dispatch_call_format.h"

#include <cstring>

#include "compositor/interface/lumo_dispids.h"

namespace lumo::dispatch::fuzz {

int gPicture = 0;
int gOtherObject = 0;

namespace {

// Every member, and identifiers that name none.
const std::int32_t kIds[] = {
    0x68030000, 0x68030001, 0x68030002, 0x68030003, 0x60030005, 0x60030006, 0x60030007, 0x60030008,
    0x60030009, 0x6003000A, 0x6003000B, 0x6003000C, 0, -1, -4, 0x6003000D, 0x7FFFFFFF,
};
constexpr unsigned kIdCount = sizeof kIds / sizeof kIds[0];
constexpr unsigned kMaxArgs = 20;
constexpr int kMaxNesting = 24;  // deeper than the conversion ever follows
enum Form : std::uint8_t { kValue, kRef, kTyped, kNullRef, kNullTyped, kRefToCell, kForms };

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    template <typename T>
    T read() {
        std::uint8_t buf[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && pos_ < size_; ++i) buf[i] = data_[pos_++];
        T v;
        std::memcpy(&v, buf, sizeof v);
        return v;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The layouts the platform copies: a known type, with no flag but the array flag, and no
// array of nothing.
bool readable(std::uint16_t tag) {
    const std::uint16_t base = tag & ~kArrayFlag;
    const bool known = (base <= 23 && base != 15) || base == 36;
    return known && !((tag & kArrayFlag) && base <= 1);
}

std::int64_t narrowed(VarType t, std::int64_t v) {
    switch (t) {
        case VarType::I1: return std::int8_t(v);
        case VarType::UI1: return std::uint8_t(v);
        case VarType::I2: case VarType::Bool: return std::int16_t(v);
        case VarType::UI2: return std::uint16_t(v);
        case VarType::I4: case VarType::Int: case VarType::Error: return std::int32_t(v);
        case VarType::UI4: case VarType::UInt: return std::uint32_t(v);
        default: return v;
    }
}

Value readValue(ByteReader& in) {
    Value v;
    const auto tag = in.read<std::uint16_t>();
    v.type = static_cast<VarType>(tag);
    v.readable = readable(tag);
    if (!v.readable || isArray(v.type)) return v;
    switch (v.type) {
        case VarType::Empty: case VarType::Null: case VarType::Variant: case VarType::Record: break;
        case VarType::R4: v.real = in.read<float>(); break;
        case VarType::R8: case VarType::Date: case VarType::Decimal: v.real = in.read<double>(); break;
        case VarType::String:
            for (unsigned n = in.read<std::uint8_t>() % 32; n > 0; --n)
                v.text += static_cast<char16_t>(in.read<std::uint16_t>());
            break;
        case VarType::Dispatch: case VarType::Unknown: {
            const unsigned which = in.read<std::uint8_t>() % 3;
            v.object = which == 1 ? static_cast<void*>(&gPicture) : which == 2 ? &gOtherObject : nullptr;
            break;
        }
        default: v.integer = narrowed(v.type, in.read<std::int64_t>()); break;
    }
    return v;
}

void readCell(ByteReader& in, FuzzCall& call, Arg& a, int depth) {
    switch (in.read<std::uint8_t>() % kForms) {
        case kValue: a.value = readValue(in); break;
        case kRef:
            a.form = Arg::Form::VariantRef;
            if (depth >= kMaxNesting) {
                a.variant = &a;
                break;
            }
            a.variant = &call.cells.emplace_back();
            readCell(in, call, *a.variant, depth + 1);
            break;
        case kTyped:
            a.form = Arg::Form::TypedRef;
            a.typed = &call.typedVariables.emplace_back(readValue(in));
            break;
        case kNullRef: a.form = Arg::Form::VariantRef; break;
        case kNullTyped: a.form = Arg::Form::TypedRef; break;
        default:
            a.form = Arg::Form::VariantRef;
            a.variant = &call.cells[in.read<std::uint8_t>() % call.cells.size()];
            break;
    }
}

}  // namespace

Params FuzzCall::params() {
    nameList_ = NameArray(names.data());
    return {argsNull ? nullptr : this, count, namesNull ? nullptr : &nameList_, unsigned(names.size())};
}

void readCall(const std::uint8_t* data, std::size_t size, FuzzCall& out) {
    ByteReader in(data, size);
    out.id = kIds[in.read<std::uint8_t>() % kIdCount];
    out.flags = in.read<std::uint8_t>() & 0x0F;
    out.count = in.read<std::uint8_t>() % (kMaxArgs + 1);
    const unsigned names = in.read<std::uint8_t>() % (out.count + 2);  // one too many is possible
    const auto nulls = in.read<std::uint8_t>();
    out.argsNull = nulls & 1;
    out.namesNull = nulls & 2;
    const auto view = in.read<std::uint8_t>(), material = in.read<std::uint8_t>();
    out.viewWidth = (view & 15) * 10;
    out.viewHeight = (view >> 4) * 10;
    out.materialWidth = (material & 15) * 10;
    out.materialHeight = (material >> 4) * 10;
    for (unsigned k = 0; k < names; ++k) out.names.push_back(in.read<std::int8_t>());
    // Top-level cells exist before any is read, so a reference may point to any of them.
    out.cells.resize(out.count);
    for (unsigned i = 0; i < out.count; ++i) readCell(in, out, out.cells[i], 0);
}

CallWriter& CallWriter::call(std::int32_t id, std::uint16_t flags, unsigned count, std::vector<std::int8_t> names,
                             std::uint8_t nulls, std::uint8_t view, std::uint8_t material) {
    std::uint8_t member = 0;
    while (member < kIdCount && kIds[member] != id) ++member;
    const std::uint8_t header[] = {member, std::uint8_t(flags), std::uint8_t(count), std::uint8_t(names.size()),
                                   nulls, view, material};
    put(header, sizeof header);
    put(names.data(), names.size());
    return *this;
}

CallWriter& CallWriter::form(std::uint8_t f) {
    bytes_.push_back(f);
    typedNext_ = f == kTyped;
    return *this;
}

CallWriter& CallWriter::ref() { return form(kRef); }
CallWriter& CallWriter::typedRef() { return form(kTyped); }
CallWriter& CallWriter::nullRef() { return form(kNullRef); }
CallWriter& CallWriter::nullTypedRef() { return form(kNullTyped); }

CallWriter& CallWriter::refToCell(std::uint8_t index) {
    const std::uint8_t b[] = {kRefToCell, index};
    put(b, sizeof b);
    return *this;
}

void CallWriter::valueStart(VarType t) {
    if (!typedNext_) bytes_.push_back(kValue);
    typedNext_ = false;
    const auto tag = static_cast<std::uint16_t>(t);
    put(&tag, sizeof tag);
}

CallWriter& CallWriter::integer(VarType t, std::int64_t v) {
    valueStart(t);
    put(&v, sizeof v);
    return *this;
}

CallWriter& CallWriter::real(VarType t, double v) {
    valueStart(t);
    put(&v, sizeof v);
    return *this;
}

CallWriter& CallWriter::single(float v) {
    valueStart(VarType::R4);
    put(&v, sizeof v);
    return *this;
}

CallWriter& CallWriter::text(const std::u16string& s) {
    valueStart(VarType::String);
    bytes_.push_back(std::uint8_t(s.size()));
    put(s.data(), s.size() * sizeof(char16_t));
    return *this;
}

CallWriter& CallWriter::object(std::uint8_t which) {
    valueStart(VarType::Dispatch);
    bytes_.push_back(which);
    return *this;
}

CallWriter& CallWriter::bare(VarType t) {
    valueStart(t);
    return *this;
}

void CallWriter::put(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
}

}  // namespace lumo::dispatch::fuzz
