#include "platform/runtime/Runtime.h"

#include <gtest/gtest.h>

namespace {

TEST(Runtime, GeneratorFollowsTheHandheldRuntime)
{
    // state = state * 214013 + 2531011, result = bits 16..30 of the state.
    crt::srand(1);
    EXPECT_EQ(crt::rand(), 41);
    EXPECT_EQ(crt::rand(), 18467);
    EXPECT_EQ(crt::rand(), 6334);
    crt::srand(0);
    EXPECT_EQ(crt::rand(), 38);
    EXPECT_EQ(crt::rand(), 7719);
}

TEST(Runtime, SameSeedSameSequence)
{
    crt::srand(1765372800u);
    int first[8];
    for (int& v : first)
        v = crt::rand();
    crt::srand(1765372800u);
    for (int v : first)
        EXPECT_EQ(crt::rand(), v);
}

TEST(Runtime, TimeSourceCanBePinnedAndReleased)
{
    crt::SetTimeSource([] { return std::int64_t{1765372800}; });
    EXPECT_EQ(crt::time(), 1765372800);
    crt::SetTimeSource({});
    EXPECT_GT(crt::time(), 1700000000);
}

}  // namespace
