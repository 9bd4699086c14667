// Converting arranged arguments for the engine: references followed to the caller's variable,
// the kinds of "any numeric value", typed parameters, objects, and write-backs.
#include <gtest/gtest.h>

#include <deque>

#include "compositor/dispatch_args/convert_args.h"
#include "model_converter.h"

namespace lumo::dispatch {
namespace {

const test::ModelConverter kConverter;

Arg valueArg(Value v) {
    Arg a;
    a.value = std::move(v);
    return a;
}

Arg refTo(Arg* target) {
    Arg a;
    a.form = Arg::Form::VariantRef;
    a.variant = target;
    return a;
}

Arg typedRef(Value* var) {
    Arg a;
    a.form = Arg::Form::TypedRef;
    a.typed = var;
    return a;
}

Value text(const std::u16string& s) {
    Value v;
    v.type = VarType::String;
    v.text = s;
    return v;
}

// Converts one argument as the parameter of the given kind (getPoint's x for Numeric).
Refusal convertOne(ParamKind kind, Arg* arg, Converted& out) {
    Signature s{Entry::GetPoint, DispId::getPoint, CallKind::Method, 1, 1, {kind}};
    Arrangement a;
    a.at[0] = arg;
    ConvertedArgs args;
    const Failure f = convertArgs(s, a, kConverter, kUserDefaultLocale, args);
    out = args.at[0];
    return f.refusal;
}

TEST(ConvertArgs, ReferencesAreFollowedSixteenDeepAndNoFurther) {
    std::deque<Arg> chain{valueArg(Value::of(VarType::I2, 7))};
    for (int i = 0; i < 16; ++i) chain.push_front(refTo(&chain.front()));
    Converted c;
    ASSERT_EQ(convertOne(ParamKind::Numeric, &chain.front(), c), Refusal::None);
    EXPECT_EQ(c.number.value(), 7);
    EXPECT_EQ(c.origin.variant, &chain.back());  // a write-back goes to the variable at the end
    chain.push_front(refTo(&chain.front()));
    EXPECT_EQ(convertOne(ParamKind::Numeric, &chain.front(), c), Refusal::TypeMismatch);

    Arg cycle = refTo(nullptr);
    cycle.variant = &cycle;
    EXPECT_EQ(convertOne(ParamKind::Numeric, &cycle, c), Refusal::TypeMismatch);
    Arg nullRef = refTo(nullptr), nullTyped = typedRef(nullptr);
    EXPECT_EQ(convertOne(ParamKind::Numeric, &nullRef, c), Refusal::NullPointer);
    EXPECT_EQ(convertOne(ParamKind::Boolean, &nullTyped, c), Refusal::NullPointer);
    Value garbage = Value::of(VarType(0x0FFF), 1);
    garbage.readable = false;
    Arg unreadable = valueArg(garbage);
    EXPECT_EQ(convertOne(ParamKind::Numeric, &unreadable, c), Refusal::TypeMismatch);
}

TEST(ConvertArgs, NumbersKeepTheirKindAndEverythingElseIsNoNumber) {
    struct Case {
        Value v;
        NumericKind kind;
        double value;
    } cases[] = {
        {Value{}, NumericKind::Integer, 0},
        {Value::of(VarType::UI1, 200), NumericKind::Integer, 200},
        {Value::of(VarType::I4, -70000), NumericKind::Long, -70000},
        {Value::ofReal(VarType::R4, 2.5), NumericKind::Single, 2.5},
        {Value::of(VarType::Bool, 1), NumericKind::Boolean, 1},  // a careless True keeps its bits
        {Value::of(VarType::Currency, 12345), NumericKind::Double, 1.2345},
        {text(u" 300 "), NumericKind::Double, 300},
        {text(u"12abc"), NumericKind::NotNumeric, 0},
        {Value::of(VarType::Null, 0), NumericKind::NotNumeric, 0},
        {Value::of(VarType::Error, kArgumentMissing), NumericKind::NotNumeric, 0},
        {Value::of(VarType::Dispatch, 0), NumericKind::NotNumeric, 0},
        {Value::of(VarType(kArrayFlag | 2), 0), NumericKind::NotNumeric, 0},
    };
    for (Case& k : cases) {
        Arg a = valueArg(k.v);
        Converted c;
        ASSERT_EQ(convertOne(ParamKind::Numeric, &a, c), Refusal::None);
        EXPECT_EQ(c.number.kind(), k.kind) << int(k.v.type);
        EXPECT_EQ(c.number.value(), k.value) << int(k.v.type);
        EXPECT_EQ(c.number.slot(), Slot::Variant);
    }
    Value var = Value::of(VarType::I2, 5);
    Arg typed = typedRef(&var);
    Converted c;
    ASSERT_EQ(convertOne(ParamKind::Numeric, &typed, c), Refusal::None);
    EXPECT_EQ(c.number.slot(), Slot::Typed);
    EXPECT_EQ(c.origin.typed, &var);
}

TEST(ConvertArgs, TypedParametersConvertOrAreRefused) {
    Converted c;
    Arg maybe = valueArg(text(u"maybe"));
    EXPECT_EQ(convertOne(ParamKind::Boolean, &maybe, c), Refusal::TypeMismatch);
    Arg two = valueArg(Value::of(VarType::I2, 2));
    ASSERT_EQ(convertOne(ParamKind::Boolean, &two, c), Refusal::None);
    EXPECT_EQ(c.boolean, -1);

    // Colours: negative Longs for system colours, and unsigned values beyond the Long range.
    Arg system = valueArg(Value::of(VarType::I4, std::int32_t(0x80000005u)));
    ASSERT_EQ(convertOne(ParamKind::Colour, &system, c), Refusal::None);
    EXPECT_EQ(c.colour, 0x80000005u);
    Arg unsignedColour = valueArg(Value::ofReal(VarType::R8, 4294967295.0));
    ASSERT_EQ(convertOne(ParamKind::Colour, &unsignedColour, c), Refusal::None);
    EXPECT_EQ(c.colour, 0xFFFFFFFFu);
    Arg tooBig = valueArg(Value::ofReal(VarType::R8, 4294967296.0));
    EXPECT_EQ(convertOne(ParamKind::Colour, &tooBig, c), Refusal::Overflow);

    int picture = 0;
    Value object = Value::of(VarType::Dispatch, 0);
    object.object = &picture;
    Arg obj = valueArg(object), nothing = valueArg(Value::of(VarType::Unknown, 0)), number = valueArg(Value{});
    ASSERT_EQ(convertOne(ParamKind::Picture, &obj, c), Refusal::None);
    EXPECT_EQ(c.object, &picture);
    ASSERT_EQ(convertOne(ParamKind::Picture, &nothing, c), Refusal::None);
    EXPECT_EQ(c.object, nullptr);
    EXPECT_EQ(convertOne(ParamKind::Picture, &number, c), Refusal::TypeMismatch);
}

TEST(ConvertArgs, AnOptionalDoubleMayBeLeftOutInEveryWay) {
    Converted c;
    EXPECT_EQ(convertOne(ParamKind::OptionalDouble, nullptr, c), Refusal::None);
    EXPECT_FALSE(c.real);
    Arg marker = valueArg(Value::of(VarType::Error, kArgumentMissing));
    Arg viaRef = refTo(&marker);
    EXPECT_EQ(convertOne(ParamKind::OptionalDouble, &viaRef, c), Refusal::None);
    EXPECT_FALSE(c.real);
    Arg otherError = valueArg(Value::of(VarType::Error, 5));
    EXPECT_EQ(convertOne(ParamKind::OptionalDouble, &otherError, c), Refusal::TypeMismatch);
    Value two = Value::ofReal(VarType::R8, 2.0);
    Arg typed = typedRef(&two);
    ASSERT_EQ(convertOne(ParamKind::OptionalDouble, &typed, c), Refusal::None);
    EXPECT_EQ(c.real, 2.0);
}

TEST(WriteBack, AVariantTakesTheNewKindAndATypedVariableKeepsItsType) {
    Arg variable = valueArg(text(u"300"));
    NumericArg clamped = NumericArg::doubleValue(300);
    clamped.assignInteger(255);
    ASSERT_EQ(writeBack({&variable, nullptr}, clamped, kConverter), Refusal::None);
    EXPECT_EQ(variable.value.type, VarType::I2);
    EXPECT_EQ(variable.value.integer, 255);

    Value byte = Value::of(VarType::UI1, 200), word = text(u"old"), object = Value::of(VarType::Dispatch, 0);
    NumericArg angle = NumericArg::longValue(300, Slot::Typed);
    EXPECT_EQ(writeBack({nullptr, &byte}, angle, kConverter), Refusal::Overflow);
    EXPECT_EQ(byte.integer, 200);  // unchanged after a refused write-back
    ASSERT_EQ(writeBack({nullptr, &word}, angle, kConverter), Refusal::None);
    EXPECT_EQ(word.type, VarType::String);
    EXPECT_EQ(word.text, u"300");
    EXPECT_EQ(writeBack({nullptr, &object}, angle, kConverter), Refusal::TypeMismatch);
    EXPECT_EQ(writeBack({}, angle, kConverter), Refusal::None);  // passed by value: nowhere
}

}  // namespace
}  // namespace lumo::dispatch
