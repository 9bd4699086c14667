#pragma once
// Random late-bound arguments of every kind a caller can build, for the dispatch fuzz test and
// the soak. Every value owns what it holds (a string of its own, a reference to an object), as
// a caller's variables do: a callee may clear an in/out variant before writing into it.
#include <windows.h>
#include <oaidl.h>

#include <deque>
#include <random>
#include <vector>

namespace comtest {

// Typed storage that by-reference arguments point into; it outlives every call. Write-backs
// may replace what the string holds.
struct Slots {
    short i2 = 0;
    double r8 = 0;
    VARIANT_BOOL b = 0;
    BYTE ui1 = 0;
    LONG i4 = 0;
    CY cy{};
    DECIMAL dec{};
    BSTR text = nullptr;
    IDispatch* object = nullptr;  // not owned
    SAFEARRAY* array = nullptr;   // not owned
    ~Slots() { SysFreeString(text); }
};

class ArgumentMaker {
public:
    // objects: what object arguments may be (pictures, the control, other objects); the first
    // two are used by make(), all of them by makeRich().
    ArgumentMaker(std::mt19937& rng, Slots& slots, std::vector<IDispatch*> objects)
        : rng_(rng), s_(slots), objects_(std::move(objects)) {}
    ~ArgumentMaker() { clear(); }
    ArgumentMaker(const ArgumentMaker&) = delete;
    ArgumentMaker& operator=(const ArgumentMaker&) = delete;

    // Frees the variants that script-style references pointed to.
    void clear();

    // A value, a typed reference or a script-style reference, two levels deep at most.
    VARIANT make(int depth = 0);
    // Besides make()'s kinds: more number types, text of every shape, arrays, objects, typed
    // references of more types, null references, cycles and types no caller should use.
    VARIANT makeRich(int depth = 0);

    int pick(int n) { return int(rng_() % unsigned(n)); }

private:
    double oddDouble();
    VARIANT richValue();
    VARIANT richReference(int depth);
    VARIANT& target(VARIANT inner);

    std::mt19937& rng_;
    Slots& s_;
    std::vector<IDispatch*> objects_;
    std::deque<VARIANT> targets_;  // stable addresses for references
};

}  // namespace comtest
