#include <gtest/gtest.h>
#include <windows.h>

TEST(Placeholder, Builds) { EXPECT_TRUE(true); }
