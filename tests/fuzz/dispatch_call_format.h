#pragma once
// The dispatch fuzzer's input format: bytes read as one late-bound call on the argument
// model, and a writer that spells a call in those bytes for the seed corpus. Every byte string
// reads as some call; reading past the end gives zeros.
//
//   call  := member:u8 flags:u8 count:u8 names:u8 nulls:u8 view:u8 material:u8 name:i8 * names
//            cell * count
//            (view and material: the engine's surfaces, 10 pixels per unit, width in the low
//            four bits and height in the high four)
//   cell  := form:u8 then, by form % 6: 0 value | 1 cell (a reference to it) | 2 value (a
//            typed variable) | 3 (null reference) | 4 (null typed reference) | 5 index:u8
//            (a reference to an earlier cell: shared variables and cycles)
//   value := type:u16 and what the type holds (integers as i64, R4 as f32, R8 Date Decimal as
//            f64, text as length:u8 and UTF-16 units, objects as 0 Nothing 1 picture 2 other)
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "compositor/dispatch_args/arg_model.h"

namespace lumo::dispatch::fuzz {

// The two objects a call can pass: one that is a picture, and one that is not.
extern int gPicture;
extern int gOtherObject;

// A call read from bytes: its cells live here, top-level arguments first.
class FuzzCall final : public ArgList {
public:
    FuzzCall() = default;
    FuzzCall(const FuzzCall&) = delete;
    FuzzCall& operator=(const FuzzCall&) = delete;

    Arg* at(unsigned index) override { return &cells[index]; }
    Params params();

    std::int32_t id = 0;
    std::uint16_t flags = 0;
    unsigned count = 0;
    std::vector<std::int32_t> names;
    bool argsNull = false;
    bool namesNull = false;
    int viewWidth = 0, viewHeight = 0;
    int materialWidth = 0, materialHeight = 0;
    std::deque<Arg> cells;
    std::deque<Value> typedVariables;

private:
    NameArray nameList_{nullptr};
};

void readCall(const std::uint8_t* data, std::size_t size, FuzzCall& out);

// Spells calls for the seed corpus, token by token in the order the reader reads them.
class CallWriter {
public:
    // The view and the material are 130 by 130 pixels unless given (in units of 10 pixels).
    CallWriter& call(std::int32_t id, std::uint16_t flags, unsigned count, std::vector<std::int8_t> names = {},
                     std::uint8_t nulls = 0, std::uint8_t view = 0xDD, std::uint8_t material = 0xDD);
    // Cells: a value, a reference to the next cell, a typed variable holding the next value,
    // null references, and a reference to an earlier cell.
    CallWriter& ref();
    CallWriter& typedRef();
    CallWriter& nullRef();
    CallWriter& nullTypedRef();
    CallWriter& refToCell(std::uint8_t index);
    // Values; a value not preceded by typedRef() is a cell passed by value.
    CallWriter& integer(VarType t, std::int64_t v);
    CallWriter& real(VarType t, double v);
    CallWriter& single(float v);
    CallWriter& text(const std::u16string& s);
    CallWriter& object(std::uint8_t which);
    CallWriter& bare(VarType t);  // a type with nothing to read: Empty, Null, arrays, garbage

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    CallWriter& form(std::uint8_t f);
    void valueStart(VarType t);
    void put(const void* p, std::size_t n);

    std::vector<std::uint8_t> bytes_;
    bool typedNext_ = false;
};

}  // namespace lumo::dispatch::fuzz
