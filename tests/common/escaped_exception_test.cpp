#include "common/escaped_exception.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

template <typename Throw>
quill::EscapedException caught(Throw raise) {
    try {
        raise();
    } catch (...) {
        return quill::currentException();
    }
    return {};
}

TEST(EscapedException, NamesWhatReachedTheBoundary) {
    const auto memory = caught([] { throw std::bad_alloc(); });
    EXPECT_EQ(memory.error, quill::RunError::OutOfMemory);

    const auto logic = caught([] { throw std::logic_error("form Form1 used while not loaded"); });
    EXPECT_EQ(logic.error, quill::RunError::InternalError);
    EXPECT_STREQ(logic.what, "form Form1 used while not loaded");

    const auto foreign = caught([] { throw 42; });
    EXPECT_EQ(foreign.error, quill::RunError::InternalError);
    EXPECT_STREQ(foreign.what, "");
}

TEST(EscapedException, ALongTextIsCutAndStillEnds) {
    const std::string text(1000, 'x');
    const auto e = caught([&] { throw std::runtime_error(text); });
    EXPECT_EQ(std::string(e.what), text.substr(0, sizeof e.what - 1));
}

}  // namespace
