#include "common/escaped_exception.h"

#include <cstring>
#include <exception>
#include <new>

namespace quill {
namespace {

void copyCut(char (&to)[256], const char* from) {
    std::strncpy(to, from ? from : "", sizeof to - 1);
    to[sizeof to - 1] = '\0';
}

}  // namespace

EscapedException currentException() noexcept {
    EscapedException e;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        e.error = RunError::OutOfMemory;
    } catch (const std::exception& ex) {
        copyCut(e.what, ex.what());
    } catch (...) {
    }
    return e;
}

}  // namespace quill
