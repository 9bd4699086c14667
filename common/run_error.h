#pragma once
// The failures a member, handler or drawing step can end with. Numbers are the classic
// run-time error numbers, so a report can show the number a user or a script expects.
namespace quill {

enum class RunError : int {
    None = 0,
    InvalidCall = 5,            // a call whose argument makes no sense (negative count, ...)
    Overflow = 6,               // arithmetic that does not fit its width
    OutOfMemory = 7,            // a surface or array beyond the largest one allowed
    SubscriptOutOfRange = 9,    // an array dimensioned with a lower bound above its upper one
    InternalError = 51,         // an exception of our own code stopped at a boundary
    TypeMismatch = 13,          // a non-numeric value where a number is needed
    InvalidPropertyValue = 380, // a size or colour a property cannot take
    InvalidPicture = 481,       // a file or object that is not a usable picture
};

const char* describe(RunError e);

}  // namespace quill

// Ends the calling function with the error of a step that failed.
#define QUILL_RETURN_IF_ERROR(expr)                                          \
    do {                                                                     \
        if (::quill::RunError e_ = (expr); e_ != ::quill::RunError::None) return e_; \
    } while (0)
