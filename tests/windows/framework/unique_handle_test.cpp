// The handle owners: which value counts as "no handle", closing, moving and releasing.
#include "unique_handle.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool IsOpenHandle(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

TEST(UniqueHandle, FileOwnerTreatsInvalidHandleValueAsEmpty) {
    mirl::unique_hfile file;
    EXPECT_EQ(file.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file);
    file.reset(
        ::CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(file.get(), INVALID_HANDLE_VALUE);  // the failure value CreateFileA returns
    EXPECT_FALSE(file.is_valid());
}

TEST(UniqueHandle, NullOwnerTreatsNullAsEmpty) {
    mirl::unique_handle event;
    EXPECT_EQ(event.get(), nullptr);
    EXPECT_FALSE(event);
    // NULL is a valid "nothing" for events; INVALID_HANDLE_VALUE would not be.
    static_assert(!std::is_convertible_v<mirl::unique_handle, bool>);
}

TEST(UniqueHandle, ClosesOnResetAndOnDestruction) {
    HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        mirl::unique_handle event(raw);
        EXPECT_TRUE(event);
        EXPECT_TRUE(IsOpenHandle(raw));
    }
    EXPECT_FALSE(IsOpenHandle(raw));

    mirl::unique_handle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE first = event.get();
    event.reset();
    EXPECT_FALSE(IsOpenHandle(first));
    EXPECT_EQ(event.get(), nullptr);
}

TEST(UniqueHandle, MovesOwnershipAndReleaseGivesItUp) {
    mirl::unique_handle a(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE raw = a.get();
    mirl::unique_handle b(std::move(a));
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(b.get(), raw);
    mirl::unique_handle c;
    c = std::move(b);
    EXPECT_EQ(c.get(), raw);
    HANDLE released = c.release();
    EXPECT_EQ(released, raw);
    EXPECT_EQ(c.get(), nullptr);
    EXPECT_TRUE(IsOpenHandle(raw));
    ::CloseHandle(released);

    static_assert(!std::is_copy_constructible_v<mirl::unique_hfile>);
    static_assert(!std::is_copy_assignable_v<mirl::unique_hfile>);
}

TEST(UniqueHandle, FileOwnerClosesARealFile) {
    char dir[MAX_PATH];
    char path[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, dir), 0u);
    ASSERT_NE(::GetTempFileNameA(dir, "mrl", 0, path), 0u);
    {
        mirl::unique_hfile file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        // Opened without sharing: a second open fails while the owner holds it.
        mirl::unique_hfile second(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_FALSE(second);
    }
    mirl::unique_hfile again(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(again);
    again.reset();
    ::DeleteFileA(path);
}

}  // namespace
