// Putting a call's arguments into declared order: positional ones from the back, named ones by
// position, property puts, counts, and required arguments left out.
#include <gtest/gtest.h>

#include <vector>

#include "compositor/dispatch_args/arrange.h"

namespace lumo::dispatch {
namespace {

Arg i2(std::int16_t v) {
    Arg a;
    a.value = Value::of(VarType::I2, v);
    return a;
}

Arg missing() {
    Arg a;
    a.value = Value::of(VarType::Error, kArgumentMissing);
    return a;
}

// An argument array that counts what is read from it.
class CountingList final : public ArgList {
public:
    explicit CountingList(std::vector<Arg>& args) : args_(args) {}
    Arg* at(unsigned index) override {
        ++reads;
        return &args_.at(index);
    }
    int reads = 0;

private:
    std::vector<Arg>& args_;
};

struct Call {
    Call(std::vector<Arg> a, std::vector<std::int32_t> n) : args(std::move(a)), names(std::move(n)) {}

    std::vector<Arg> args;
    std::vector<std::int32_t> names;
    ArgArray list{nullptr};
    NameArray nameList{nullptr};
    Arrangement a;

    Failure arrange(DispId id, CallKind kind) {
        list = ArgArray(args.data());
        nameList = NameArray(names.data());
        const Params p{&list, unsigned(args.size()), &nameList, unsigned(names.size())};
        return dispatch::arrange(p, *findSignature(std::int32_t(id), std::uint16_t(kind)), a);
    }
};

TEST(Arrange, PositionalArgumentsComeLastFirstAndNamedOnesTakeTheirPositions) {
    // Smoothing, Alpha, Zoom and R360 by name; x and y by position (stored last first).
    Call c{{i2(-1), i2(255), i2(1), i2(0), i2(65), i2(64)}, {5, 2, 4, 3}};
    ASSERT_FALSE(c.arrange(DispId::Lumoscope, CallKind::Method));
    const unsigned expected[] = {5, 4, 1, 3, 2, 0};
    for (unsigned i = 0; i < 6; ++i) {
        EXPECT_EQ(c.a.rgIndex[i], expected[i]) << i;
        EXPECT_EQ(c.a.at[i], &c.args[expected[i]]) << i;
    }
    EXPECT_EQ(c.a.at[6], nullptr);  // QT: not given
}

TEST(Arrange, BadNamesAndCountsAreRefusedWithTheArgumentToBlame) {
    Call unknownName{{i2(1), i2(2), i2(3), i2(4), i2(5), i2(6)}, {9, 2}};  // 9: no such position
    EXPECT_EQ(unknownName.arrange(DispId::Lumoscope, CallKind::Method).refusal, Refusal::ParamNotFound);
    Call twice{{i2(1), i2(2), i2(3), i2(4), i2(5), i2(6)}, {5, 5}};
    const Failure f = twice.arrange(DispId::Lumoscope, CallKind::Method);
    EXPECT_EQ(f.refusal, Refusal::ParamNotFound);
    EXPECT_TRUE(f.hasIndex);
    EXPECT_EQ(f.argIndex, 1u);  // the second name
    Call moreNamesThanArgs{{i2(1)}, {0, 1}};
    EXPECT_EQ(moreNamesThanArgs.arrange(DispId::getPoint, CallKind::Method).refusal, Refusal::InvalidArgument);
    Call tooMany{{i2(1), i2(2), i2(3)}, {}};
    EXPECT_EQ(tooMany.arrange(DispId::getPoint, CallKind::Method).refusal, Refusal::BadParamCount);
    Call tooFew{{i2(1), i2(2), i2(3), i2(4), i2(5)}, {}};
    EXPECT_EQ(tooFew.arrange(DispId::Lumoscope, CallKind::Method).refusal, Refusal::BadParamCount);
}

TEST(Arrange, RequiredArgumentsMarkedMissingAreNotOptional) {
    Arg target = missing();
    Arg ref;
    ref.form = Arg::Form::VariantRef;
    ref.variant = &target;
    Call c{{i2(2), ref}, {}};  // x, the first declared, sits last
    const Failure f = c.arrange(DispId::getPoint, CallKind::Method);
    EXPECT_EQ(f.refusal, Refusal::ParamNotOptional);
    EXPECT_EQ(f.argIndex, 1u);
    EXPECT_TRUE(isMissing(nullptr));
}

TEST(Arrange, APropertyPutTakesOneArgumentWhateverItIsNamed) {
    Call named{{i2(7)}, {-3}};
    ASSERT_FALSE(named.arrange(DispId::PicViewBgColor, CallKind::Put));
    EXPECT_EQ(named.a.at[0], &named.args[0]);
    Call two{{i2(7), i2(8)}, {}};
    EXPECT_EQ(two.arrange(DispId::Enabled, CallKind::Put).refusal, Refusal::BadParamCount);
}

TEST(Arrange, NullArraysAreRefusedAndARefusedCountReadsNoArgument) {
    const Signature& getPoint = *findSignature(std::int32_t(DispId::getPoint), 1);
    Arrangement a;
    EXPECT_EQ(arrange({nullptr, 2, nullptr, 0}, getPoint, a).refusal, Refusal::NullPointer);
    std::vector<Arg> args(20, i2(1));
    CountingList list(args);
    EXPECT_EQ(arrange({&list, 20, nullptr, 1}, getPoint, a).refusal, Refusal::NullPointer);
    EXPECT_EQ(arrange({&list, 20, nullptr, 0}, getPoint, a).refusal, Refusal::BadParamCount);
    EXPECT_EQ(list.reads, 0);
}

TEST(Signatures, PutsGoToPutsAndEverythingElseToMethodsAndGets) {
    const auto id = std::int32_t(DispId::PicViewBgColor);
    EXPECT_EQ(findSignature(id, 4)->entry, Entry::PutPicViewBgColor);
    EXPECT_EQ(findSignature(id, 1 | 2)->entry, Entry::GetPicViewBgColor);
    EXPECT_EQ(findSignature(id, 1 | 4)->entry, Entry::PutPicViewBgColor);
    EXPECT_EQ(findSignature(id, 8), nullptr);  // a put by reference
    EXPECT_EQ(findSignature(std::int32_t(DispId::ClsPicView), 4), nullptr);
    EXPECT_EQ(findSignature(std::int32_t(DispId::ClsPicView), 2), nullptr);  // a get of a method
    EXPECT_EQ(findSignature(std::int32_t(DispId::ClsPicView), 1 | 2)->entry, Entry::ClsPicView);
    EXPECT_EQ(findSignature(0x6003000D, 1), nullptr);
}

}  // namespace
}  // namespace lumo::dispatch
