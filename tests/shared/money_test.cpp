#include <gtest/gtest.h>

#include "core/shared/money.h"

namespace {

// Default divisor 100000000; number plays 1..50 units, animal plays 0.50..20 units.
MonCtx ctx(bool dec = false)
{
    MonCtx c;
    c.flg_dec = dec;
    c.jug_min = "100000000";
    c.jug_max = "5000000000";
    c.jug_mis = "50000000";
    c.jug_mas = "2000000000";
    c.dec_sep = ".";
    return c;
}

struct Shown {
    double value;
    const char* text;
};

TEST(MoneyShow, TwoDecimalsRoundOnTheThirdDecimalOfTheFifteenDigitQuotient)
{
    const Shown cases[] = {
        {150000000, "1.50"}, {123456789, "1.23"}, {99950000, "1.00"}, {100500000, "1.01"},
        {-50000000, "-0.50"}, {400000, "0"}, {-400000, "0"}, {0, "0"}, {1234500000000, "12345.00"},
        {110000000, "1.10"}, {500000, "0.01"}, {-99999999500000, "-1000000.00"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(mon_format(ctx(true), t.value), t.text) << t.value;
    EXPECT_EQ(mon_format(ctx(true), QString("150000000")), "1.50");
}

TEST(MoneyShow, WholeModeMarksThousands)
{
    const Shown cases[] = {
        {123456700000000, "1.234.567"}, {99900000000, "999"}, {-123400000000, "-1234"},
        {100000000000, "1.000"}, {150000000, "1,5"}, {123456750000000, "1.234.567,5"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(mon_show(ctx(false), t.value), t.text) << t.value;
    EXPECT_EQ(mon_show(ctx(true), 123456700000000.0), "1234567.00");
}

TEST(MoneyShow, PlainQuotientHasNoExponentAndTheWorkstationSeparator)
{
    MonCtx c = ctx(false);
    const Shown cases[] = {
        {150000000, "1.5"}, {1, "0.00000001"}, {-25000000, "-0.25"},
        {100000000.0 / 3, "0.333333333333333"}, {1e30, "10000000000000000000000"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(mon_showtik(c, t.value), t.text) << t.value;
    c.dec_sep = ",";
    EXPECT_EQ(mon_showtik(c, 150000000), "1,5");
    c.flg_dec = true;
    EXPECT_EQ(mon_showtik(c, 150000000), "1.50");

    EXPECT_EQ(mon_showsys(ctx(true), 12500000), "0.13");   // jug_sys not above mod_sys
    MonCtx s = ctx(true);
    s.jug_sys = 2 * s.mod_sys;
    EXPECT_EQ(mon_showsys(s, 12500000), "0.125");
}

TEST(MoneyShow, MilesRegroupsOnlyInWholeModeAndLeavesTheCallersText)
{
    const struct { const char *in, *out; } cases[] = {
        {"1.234", "1.234"}, {"1234567890", "1.234.567.890"}, {"12345678", "12.345.678"}, {"999", "999"},
        {"9.99", "999"},   {"1000", "1.000"},                {"-12.345", "-12345"},          {"", ""},
        {"12345,5", "12.345,5"},
    };
    for (const auto& t : cases) {
        const QString text = t.in;
        EXPECT_EQ(mon_miles(ctx(false), text), t.out) << t.in;
        EXPECT_EQ(text, t.in);
        EXPECT_EQ(mon_miles(ctx(false), QString(t.out)), t.out) << "applied twice: " << t.in;
    }
    QString dec = "1.5";
    EXPECT_EQ(mon_miles(ctx(true), dec), "1.5");
    EXPECT_EQ(dec, "1.5");
}

TEST(MoneyParse, ParsersCutDecimalsAndFloorShortResults)
{
    const struct { bool dec; const char *in, *out; } cases[] = {
        {true, "5", "500000000"}, {true, "1.5", "150000000"}, {true, "1,5", "150000000"},
        {true, "0.01", "1000000"}, {true, ".5", "50000000"}, {true, "2.349", "234000000"},
        {true, "5.", "500000000"}, {true, "0.001", "0"}, {true, "0.009", "0"},
        {true, "123456789012", "12345678901200000000"}, {true, "12a", "0"}, {true, "1.2.3", "0"},
        {true, "-5", "0"}, {false, "1.000", "100000000000"}, {false, "1.234.567", "123456700000000"},
        {false, "1,5", "150000000"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(mon_parse(ctx(t.dec), t.in), t.out) << t.in;
    EXPECT_EQ(mon_parsedec(ctx(false), "1,5"), "150000000");
    EXPECT_EQ(mon_parsedec(ctx(false), "1,2.5"), "0");
    for (const char* zero : {"0", "", ".", "0.", ".0", ".00", "0.0", "0.00", "0000000"}) {
        QString sig = zero;
        EXPECT_EQ(mon_parse(ctx(true), zero), "0") << zero;
        EXPECT_EQ(mon_parsedec(ctx(false), zero), "0") << zero;
        EXPECT_EQ(mon_parsesig(ctx(true), sig), "0") << zero;
    }
    // The floor is one hundredth of a unit at any divisor.
    const struct {
        double mod_sys;
        const char *in, *out;
    } floors[] = {
        {100, "9999", "999900"}, {100, "0.01", "1"}, {100, "-0.01", "-1"}, {100, "0.009", "0"},
        {1000, "0.01", "10"},    {1, "0.01", "0"},   {1, "-3", "-3"},
    };
    for (const auto& t : floors) {
        MonCtx c = ctx(true);
        c.mod_sys = t.mod_sys;
        const QString in = t.in;
        EXPECT_EQ(mon_parsesig(c, in), t.out) << t.mod_sys << " " << t.in;
        if (!in.startsWith('-')) {
            EXPECT_EQ(mon_parse(c, in), t.out) << t.mod_sys << " " << t.in;
        }
    }
}

TEST(MoneyParse, SignedParserReadsTheTextWithoutItsMinusSigns)
{
    const struct { const char *in, *out; } cases[] = {
        {"-2.5", "-250000000"}, {"-0", "0"}, {"2,5", "250000000"}, {"-0.001", "0"}, {"-1-0", "-1000000000"}, {"3-", "0"},
    };
    for (const auto& t : cases) {
        const QString text = t.in;
        EXPECT_EQ(mon_parsesig(ctx(true), text), t.out) << t.in;
        EXPECT_EQ(text, t.in);
    }
}

TEST(MoneyLimits, RangeIsInclusiveAndTheKindChoosesThePair)
{
    const struct { const char* amount; int kind; bool inside; } cases[] = {
        {"100000000", 0, true}, {"5000000000", 0, true}, {"99000000", 0, false},
        {"5100000000", 0, false}, {"50000000", 1, true}, {"3000000000", 7, false},
        {"2000000000", -1, true}, {"", 0, false},
    };
    for (const auto& t : cases)
        EXPECT_EQ(mon_range(ctx(), t.amount, t.kind), t.inside) << t.amount << " kind " << t.kind;
}

TEST(MoneyLimits, AdjustBringsTheAmountWithinTheLimits)
{
    const struct { const char *min, *max; bool dec; const char *amount, *shown; } cases[] = {
        {"100000000", "5000000000", false, "7000000000", "50"},
        {"100000000", "5000000000", false, "50000000", "1"},
        {"100000000", "5000000000", false, "250000000", "2"},
        {"50000000", "5000000000", true, "125000000", "1.20"},
        {"50000000", "5000000000", true, "200000000", "2"},
        {"100000000", "500000000000", false, "123456700000", "1.234"},
        // Only the trailing zeros of the minimum count (all seven zeros would give 1.00).
        {"105000000", "5000000000", true, "109000000", "1.09"},
        // A fraction in whole mode stays apart from the thousands marks.
        {"150000000", "500000000000", false, "175000000", "1,7"},
    };
    for (const auto& t : cases) {
        MonCtx c = ctx(t.dec);
        c.jug_min = t.min;
        c.jug_max = t.max;
        EXPECT_EQ(mon_adjust(c, t.amount, 0), t.shown) << t.min << " " << t.amount;
    }
    EXPECT_EQ(mon_adjust(ctx(true), "10000000", 1), "0.50");   // animal pair
}

TEST(MoneyKeys, KeyFilterFollowsTheEntryRules)
{
    const int bs = 8;
    const struct { bool dec; double max; const char* field; int key; bool passes; } cases[] = {
        {true, 5e8, "", '0', false}, {true, 5e8, "5", '.', false}, {true, 5e8, "4", '.', true},
        {true, 5e8, "4.5", '9', true}, {true, 5e8, "0.0", '0', false}, {true, 5e8, "0.05", '1', false},
        {true, 5e8, "0.05", bs, true}, {true, 5e8, "12", '.', false}, {true, 5e8, "", '6', false},
        {true, 5e8, "0", '.', true}, {true, 5e8, "0", '5', false}, {true, 5e8, "0.0", '5', true},
        {true, 5e8, "1.0", '0', true}, {true, 5e8, "4.", '.', false},
        {false, 1e11, "100", '0', true}, {false, 1e11, "1.000", '0', false},
        {false, 1e11, "1", '.', false}, {false, 1e11, "12.34", '1', false},
        {false, 1e11, "12.34", bs, true}, {false, 1e11, "99", '9', true},
    };
    for (const auto& t : cases) {
        const int got = mon_keycheck(ctx(t.dec), t.field, t.key, t.max);
        EXPECT_EQ(got, t.passes ? t.key : 0) << (t.dec ? "dec " : "whole ") << t.field << " key " << t.key;
    }
}

} // namespace
