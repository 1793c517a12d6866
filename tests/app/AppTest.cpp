#include "tests/support/CAppSession.h"

#include <gtest/gtest.h>

namespace {

TEST(App, StartsWithTitleBarAndBoard)
{
    CAppSession s;
    s.Run();
    s.SaveScreen("start");
    EXPECT_EQ(s.Host().Title(), "Corvane");
}

}  // namespace
