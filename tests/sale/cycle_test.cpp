// The ticket cycle's rules apart from the window: the tax.
#include "sale/ticket/cycle.h"

#include <gtest/gtest.h>

namespace {

// The tax is a whole number of stored units, rounded half to even.
TEST(SaleCycle, TaxIsRoundedHalfToEven)
{
    const double cases[][3] = {{1000000000, 10, 100000000}, {50, 1, 0}, {150, 1, 2}, {250, 1, 2}, {1999999999, 1, 20000000}};
    for (const auto& c : cases)
        EXPECT_EQ(tax_of(c[0], c[1]), c[2]) << c[0];
}

} // namespace
