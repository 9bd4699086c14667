#pragma once
// Puts a call's arguments into declared order: positional ones from the back of the array,
// named ones where their names say, and checks the count and the required ones.
#include "compositor/dispatch_args/arg_model.h"
#include "compositor/dispatch_args/refusal.h"
#include "compositor/dispatch_args/signatures.h"

namespace lumo::dispatch {

struct Arrangement {
    Arg* at[kMaxParams] = {};           // declared order; null where the caller gave none
    unsigned rgIndex[kMaxParams] = {};  // where each one sits in Params::args
};

// A property put takes exactly one argument, whatever it is named. A refusal names the
// argument only for a bad name (its index among the named ones) or a required one left out.
Failure arrange(const Params& p, const Signature& s, Arrangement& out);

// An argument left out: none given, or the missing-argument error code, also behind references.
bool isMissing(const Arg* arg);

// Deeper chains of references than this are cycles or garbage, never a real caller.
constexpr int kMaxRefDepth = 16;

}  // namespace lumo::dispatch
