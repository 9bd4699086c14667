#pragma once
// A call's DISPPARAMS as the portable argument model, mapped argument by argument as the
// conversion asks for them, and the way back: a write-back the model received goes into the
// caller's own VARIANT or typed variable.
#include <windows.h>

#include <deque>
#include <map>

#include "compositor/com/outcome.h"
#include "compositor/com/variant_args.h"
#include "compositor/dispatch_args/convert_args.h"

namespace lumo::com {

class ArgMapping final : public dispatch::ArgList {
public:
    explicit ArgMapping(const DISPPARAMS& p);
    ArgMapping(const ArgMapping&) = delete;
    ArgMapping& operator=(const ArgMapping&) = delete;

    const dispatch::Params& params() const { return params_; }
    dispatch::Arg* at(unsigned index) override;

    // Stores what a write-back left in the model into the caller's variable.
    Outcome store(const dispatch::Origin& origin);

private:
    struct Cell {
        dispatch::Arg arg;
        int followed = -1;  // how many references deep its chain is mapped
    };
    // DISPIDs are 32-bit signed numbers on every Windows; read one by one, never as a block.
    class Names final : public dispatch::NameList {
    public:
        explicit Names(const DISPID* ids) : ids_(ids) {}
        std::int32_t at(unsigned index) const override { return std::int32_t(ids_[index]); }

    private:
        const DISPID* ids_;
    };
    struct TypedVariable {
        dispatch::Value value;
        VARTYPE vt = VT_EMPTY;
        void* ptr = nullptr;
    };

    dispatch::Arg* cellFor(VARIANT* v, int depth);
    void read(VARIANT* v, dispatch::Arg& arg);
    dispatch::Value copied(VARIANT* v, bool typed);

    const DISPPARAMS& p_;
    Names names_;
    dispatch::Params params_;
    std::map<const VARIANT*, Cell> cells_;
    std::map<const dispatch::Arg*, VARIANT*> sources_;
    std::deque<TypedVariable> typed_;
    std::deque<Variant> copies_;  // the platform's copies the model's values stand for
    dispatch::Arg unfollowed_;    // where a chain beyond the depth the conversion reads points
};

// The arguments of one member call, converted, and the way back to the caller's variables.
struct CallArgs {
    dispatch::ConvertedArgs converted;
    ArgMapping& mapping;
    const VariantConverter& converter;

    // Hands numeric parameter i's new value from the engine back to the caller's variable.
    Outcome writeBack(unsigned i, const NumericArg& value) const;
};

}  // namespace lumo::com
