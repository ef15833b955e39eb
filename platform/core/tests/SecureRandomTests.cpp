#include <platform/SecureRandom.h>

#include <gtest/gtest.h>

#include <set>

// A stuck or constant source would make every stamp collide.
TEST(SecureRandom, WordsVary)
{
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 16; ++i)
        seen.insert(platform::SecureRandom32());
    EXPECT_GT(seen.size(), 12u);
}
