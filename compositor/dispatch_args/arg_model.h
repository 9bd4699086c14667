#pragma once
// A late-bound call's arguments as plain data. Each argument slot holds a value, a reference
// to one of the caller's Variant variables (which may itself hold a reference, and so on), or
// a reference to one of the caller's typed variables. The COM shell maps its VARIANTs onto
// this model and writes results back from it; the native fuzzer builds it from bytes.
#include <cstdint>
#include <string>

namespace lumo::dispatch {

// A value's type tag, numbered as the platform's automation types are, array flag included.
// Being by reference is not part of it: that is the argument's form. Any 16-bit number may
// arrive from a caller.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Dispatch = 9,
    Error = 10,
    Bool = 11,
    Variant = 12,
    Unknown = 13,
    Decimal = 14,
    I1 = 16,
    UI1 = 17,
    UI2 = 18,
    UI4 = 19,
    I8 = 20,
    UI8 = 21,
    Int = 22,
    UInt = 23,
    Record = 36,
};

constexpr std::uint16_t kArrayFlag = 0x2000;
constexpr bool isArray(VarType t) { return (static_cast<std::uint16_t>(t) & kArrayFlag) != 0; }

// The error code a caller passes in place of an optional argument it leaves out.
constexpr std::int32_t kArgumentMissing = static_cast<std::int32_t>(0x80020004u);

// One value as a caller's variable holds it. Only the field its type uses is meaningful.
struct Value {
    VarType type = VarType::Empty;
    bool readable = true;          // false: a layout the platform refuses to read or copy
    std::int64_t integer = 0;      // integer types, Bool (its raw 16 bits), Error (the code),
                                   // Currency (in units of 1/10,000)
    double real = 0;               // R4, R8, Date, Decimal
    std::u16string text;           // String
    void* object = nullptr;        // Dispatch, Unknown: the platform's object; null is Nothing
    void* native = nullptr;        // the platform's own copy of the value, for its conversions

    static Value of(VarType t, std::int64_t integer) {
        Value v;
        v.type = t;
        v.integer = integer;
        return v;
    }
    static Value ofReal(VarType t, double real) {
        Value v;
        v.type = t;
        v.real = real;
        return v;
    }
};

// One argument slot as the caller filled it.
struct Arg {
    enum class Form : std::uint8_t { Value, VariantRef, TypedRef };
    Form form = Form::Value;
    Value value;             // Form::Value
    Arg* variant = nullptr;  // Form::VariantRef: the caller's Variant variable; null is a null pointer
    Value* typed = nullptr;  // Form::TypedRef: the caller's typed variable; null is a null pointer
};

// The argument array of one call as the platform lays it out: the named arguments first, then
// the positional ones from the last to the first. Read on demand, so that a shell maps an
// argument only when it is used, and a call refused for its count reads none of them.
class ArgList {
public:
    virtual ~ArgList() = default;
    virtual Arg* at(unsigned index) = 0;  // index below the call's count
};

// The declared positions of the named arguments, also read on demand.
class NameList {
public:
    virtual ~NameList() = default;
    virtual std::int32_t at(unsigned index) const = 0;
};

// One call's arguments. A null list stands for a null array pointer.
struct Params {
    ArgList* args = nullptr;
    unsigned count = 0;
    const NameList* names = nullptr;
    unsigned nameCount = 0;
};

// Arguments and names already laid out in memory.
class ArgArray final : public ArgList {
public:
    explicit ArgArray(Arg* args) : args_(args) {}
    Arg* at(unsigned index) override { return &args_[index]; }

private:
    Arg* args_;
};

class NameArray final : public NameList {
public:
    explicit NameArray(const std::int32_t* names) : names_(names) {}
    std::int32_t at(unsigned index) const override { return names_[index]; }

private:
    const std::int32_t* names_;
};

// Bytes a typed variable of this type occupies; 0 for types not stored as plain bytes.
std::size_t scalarSize(VarType t);

// Whether a write-back can be stored into a typed variable of this type.
bool storable(VarType t);

}  // namespace lumo::dispatch
