// The handle owner: closes exactly once, moves ownership, and releases on request.
#include "common/win32/unique_handle.h"

#include <gtest/gtest.h>

namespace {

using quill::win32::UniqueBitmap;

bool alive(HBITMAP b) { return GetObjectType(b) == OBJ_BITMAP; }

TEST(UniqueHandle, ClosesOnceWhenItsLastOwnerGoes) {
    HBITMAP raw = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_TRUE(alive(raw));
    {
        UniqueBitmap a(raw);
        UniqueBitmap b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), raw);
        UniqueBitmap c;
        c = std::move(b);
        EXPECT_TRUE(alive(raw));
    }
    EXPECT_FALSE(alive(raw));
}

TEST(UniqueHandle, ResetClosesTheOldHandleAndReleaseGivesItAway) {
    HBITMAP first = CreateBitmap(2, 2, 1, 32, nullptr), second = CreateBitmap(2, 2, 1, 32, nullptr);
    UniqueBitmap h(first);
    h.reset(second);
    EXPECT_FALSE(alive(first));
    EXPECT_EQ(h.release(), second);
    EXPECT_FALSE(h);
    EXPECT_TRUE(alive(second));
    DeleteObject(second);
}

}  // namespace
