// The ticket cycle's rules apart from the window: the derived sale limits and the tax.
#include "sale/ticket/cycle.h"

#include <gtest/gtest.h>

namespace {

TEST(SaleCycle, DerivedLimits)
{
    const struct {
        const char* name;
        QString min, miz, mis, max, maz, mas;
        double jug_sys;
        bool flg_dec;
        QString menor, mayor;
    } cases[] = {
        {"every minimum a whole unit", "100000000", "200000000", "100000000", "9", "8", "7", 1e9, false, "100000000",
         "9"},
        {"one minimum below a unit", "100000000", "50000000", "200000000", "1", "3", "2", 1e8, true, "50000000", "3"},
        {"the same with jug_sys above mod_sys", "100000000", "50000000", "200000000", "1", "2", "3", 1e9, false,
         "50000000", "3"},
        // On a tie the earlier limit stays, in its own form.
        {"ties", "5000000", "6000000", "5.0e6", "0300", "300", "0300", 1e8, true, "5000000", "0300"},
        {"limits never loaded", "", "", "", "", "", "", 1e8, true, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LimVta lim;
        lim.jug_min = c.min;
        lim.jug_miz = c.miz;
        lim.jug_mis = c.mis;
        lim.jug_max = c.max;
        lim.jug_maz = c.maz;
        lim.jug_mas = c.mas;
        SesVal ses;
        ses.jug_sys = c.jug_sys;
        derive_limits(lim, ses);
        EXPECT_EQ(lim.flg_dec, c.flg_dec);
        EXPECT_EQ(lim.jug_menor.toStdString(), c.menor.toStdString());
        EXPECT_EQ(lim.jug_mayor.toStdString(), c.mayor.toStdString());
    }
}

// The tax is a whole number of stored units, rounded half to even.
TEST(SaleCycle, TaxIsRoundedHalfToEven)
{
    const struct {
        double total, percent, tax;
    } cases[] = {
        {1000000000, 10, 100000000}, {50, 1, 0}, {150, 1, 2}, {250, 1, 2}, {1999999999, 1, 20000000},
        {0, 10, 0},                  {7, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tax_of(c.total, c.percent), c.tax) << c.total << " " << c.percent;
}

} // namespace
