// The handle owner: which value means "none", and that every owned handle is closed exactly once.
#include "unique_any.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace mirl {
namespace {

std::vector<int> closed;

// Like a POSIX descriptor: -1 is "none", so 0 is a handle like any other.
struct counted_traits {
    using type = int;
    static int invalid() noexcept { return -1; }
    static void close(int h) noexcept { closed.push_back(h); }
};
using unique_counted = unique_any<counted_traits>;

TEST(UniqueAny, ClosesWhatItOwnsOnResetAndDestructionAndNothingElse) {
    closed.clear();
    {
        unique_counted none;
        EXPECT_FALSE(none);
        unique_counted zero(0);
        EXPECT_TRUE(zero.is_valid());
        zero.reset(7);
        EXPECT_EQ(closed, std::vector<int>{0});
        EXPECT_EQ(zero.get(), 7);
    }
    EXPECT_EQ(closed, (std::vector<int>{0, 7}));
}

TEST(UniqueAny, MovesOwnershipAndReleaseGivesItUpWithoutClosing) {
    closed.clear();
    unique_counted a(3);
    unique_counted b(std::move(a));
    EXPECT_FALSE(a);
    unique_counted c(4);
    c = std::move(b);  // closes 4, takes 3
    EXPECT_EQ(closed, std::vector<int>{4});
    EXPECT_EQ(c.release(), 3);
    EXPECT_FALSE(c);
    EXPECT_EQ(closed, std::vector<int>{4});
    static_assert(!std::is_copy_constructible_v<unique_counted>);
    static_assert(!std::is_copy_assignable_v<unique_counted>);
}

}  // namespace
}  // namespace mirl
