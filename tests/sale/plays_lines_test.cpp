// The server's forms of the symbol 0 in the numbers of a symbol lottery.
#include "sale/plays/lines.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaysLines, ZeroForms)
{
    // Set 1 names 99 as it names 0, set 2 otherwise, set 3 has no 99.
    const TabSim tab{{1, 1, 2, 2, 3}, {"99", "0", "99", "0", "0"}, {"Ballena", "Ballena", "Noventa", "Cero", "Cero"}};
    const struct {
        int set;
        const char *number, *shown;
    } cases[] = {{1, "0a", "0-"},   {1, "0a0512", "0-0512"}, {1, "99", "0-"}, {1, "0599", "050-"}, {1, "0a99", "0-99"},
                 {1, "1991", "1991"}, {2, "99", "99"},         {3, "99", "99"}, {1, "05", "05"}};
    for (const auto& c : cases)
        EXPECT_EQ(zero_form(tab, c.set, c.number), c.shown) << c.set << c.number;
}

} // namespace
