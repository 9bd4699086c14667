#pragma once
// What became of a request the system may refuse. Every port call that can fail on Windows
// returns it (or a richer answer) and is declared [[nodiscard]]: the caller decides what a
// failure means, and a caller that goes on regardless says so where it calls.
#include <cstdint>

namespace quill::platform {

enum class Outcome : std::uint8_t { Done, Failed };

constexpr Outcome outcomeOf(bool done) { return done ? Outcome::Done : Outcome::Failed; }

// Failed when either failed: for a request carried out in several calls.
constexpr Outcome operator&(Outcome a, Outcome b) {
    return a == Outcome::Done && b == Outcome::Done ? Outcome::Done : Outcome::Failed;
}

}  // namespace quill::platform
