// The shared helpers: text justification; money amounts shown, parsed, checked against the
// limits and adjusted into them; the play vocabulary. What each function answers over its
// inputs is a golden transcript (tests/golden/shared/).
#include "core/shared/justify.h"
#include "core/shared/money.h"
#include "core/shared/state.h"
#include "core/shared/vocab.h"
#include "tests/doubles/golden.h"


namespace {

TEST(Justify, TrimsPadsWithTheFirstFillCharacterAndNeverCuts)
{
    const struct { const char* value; int width; const char *fill, *left, *right; } cases[] = {
        {"7", 3, "0", "007", "700"},         {"AB", 4, "", "  AB", "AB  "},
        {"ABCDE", 3, "0", "ABCDE", "ABCDE"}, {"  x  ", 3, "-", "--x", "x--"},
        {"5", 4, "0123", "0005", "5000"},    {"", 3, "", "   ", "   "},
        {" a b ", 5, ".", "..a b", "a b.."}, {"12", -4, "0", "12", "12"},
        {"\t9", 3, "0", "0\t9", "\t90"},   // only blanks are trimmed
    };
    for (const auto& t : cases) {
        EXPECT_EQ(pad_left(t.value, t.width, t.fill), t.left) << '"' << t.value << '"';
        EXPECT_EQ(pad_right(t.value, t.width, t.fill), t.right) << '"' << t.value << '"';
    }
}

// Default divisor 100000000; number plays 1..50 units, animal plays 0.50..20 units.
MonCtx ctx(bool dec = false, double mod_sys = 1e8)
{
    MonCtx c;
    c.flg_dec = dec;
    c.mod_sys = mod_sys;
    c.jug_min = "100000000";
    c.jug_max = "5000000000";
    c.jug_mis = "50000000";
    c.jug_mas = "2000000000";
    c.dec_sep = ".";
    return c;
}

TEST(Money, EveryFunctionOverItsInputs)
{
    QStringList t;
    auto row = [&](const QString& what, const QString& in, const QString& out) { t << what + " '" + in + "' -> '" + out + "'"; };
    auto num = [](double v) { return QString::number(v, 'g', 17); };
    // Shown: two decimals rounded on the third decimal of the fifteen-digit quotient; whole
    // mode marks thousands; the plain quotient has no exponent and the workstation separator.
    for (double v : {150000000., 123456789., 99950000., 100500000., -50000000., 400000., -400000., 0., 1234500000000.,
                     110000000., 500000., -99999999500000.})
        row("format dec", num(v), mon_format(ctx(true), v));
    row("format dec text", "150000000", mon_format(ctx(true), QString("150000000")));
    for (double v : {123456700000000., 99900000000., -123400000000., 100000000000., 150000000., 123456750000000.})
        row("show whole", num(v), mon_show(ctx(false), v));
    row("show dec", "123456700000000", mon_show(ctx(true), 123456700000000.0));
    MonCtx comma = ctx(false), dec = ctx(true);
    comma.dec_sep = ",";
    for (double v : {150000000., 1., -25000000., 100000000.0 / 3, 1e30})
        row("showtik", num(v), mon_showtik(ctx(false), v));
    row("showtik comma", "150000000", mon_showtik(comma, 150000000));
    comma.flg_dec = true;
    row("showtik comma dec", "150000000", mon_showtik(comma, 150000000));
    row("showsys", "12500000", mon_showsys(dec, 12500000));  // jug_sys not above mod_sys
    dec.jug_sys = 2 * dec.mod_sys;
    row("showsys jug_sys twice", "12500000", mon_showsys(dec, 12500000));
    // Thousand marks regrouped in whole mode only (applying them twice changes nothing).
    for (const char* in : {"1.234", "1234567890", "12345678", "999", "9.99", "1000", "-12.345", "", "12345,5"})
        row("miles whole", in, mon_miles(ctx(false), in) + " / " + mon_miles(ctx(false), mon_miles(ctx(false), in)));
    row("miles dec", "1.5", mon_miles(ctx(true), "1.5"));

    // Parsed: decimals cut, short results floored to one hundredth of a unit at any divisor;
    // at small divisors a half of a stored unit rounds up.
    for (const char* in : {"5", "1.5", "1,5", "0.01", ".5", "2.349", "5.", "0.001", "0.009", "123456789012", "12a",
                           "1.2.3", "-5"})
        row("parse dec", in, mon_parse(ctx(true), in));
    for (const char* in : {"1.000", "1.234.567", "1,5"})
        row("parse whole", in, mon_parse(ctx(false), in));
    for (const char* in : {"1,5", "1,2.5"})
        row("parsedec whole", in, mon_parsedec(ctx(false), in));
    for (const char* in : {"0", "", ".", "0.", ".0", ".00", "0.0", "0.00", "0000000"})
        row("zero: parse, parsedec, parsesig", in,
            mon_parse(ctx(true), in) + " " + mon_parsedec(ctx(false), in) + " " + mon_parsesig(ctx(true), in));
    for (const auto& [mod_sys, in] : {std::pair{100., "9999"}, {100., "0.01"}, {100., "-0.01"}, {100., "0.009"},
                                      {1000., "0.01"}, {1., "0.01"}, {1., "-3"}, {1., "0.5"}, {1., "2.5"},
                                      {1., "0.49"}, {10., "0.05"}, {10., "2.35"}, {10., "2.34"}, {10., "0.04"}})
        row("parsesig, parse at divisor " + num(mod_sys), in,
            mon_parsesig(ctx(true, mod_sys), in) + " " + mon_parse(ctx(true, mod_sys), in));
    for (const char* in : {"-2.5", "-0", "2,5", "-0.001", "-1-0", "3-"})  // without its minus signs
        row("parsesig", in, mon_parsesig(ctx(true), in));

    // Limits: inclusive, the kind chooses the pair; adjust brings an amount within them.
    for (const auto& [amount, kind] : {std::pair{"100000000", 0}, {"5000000000", 0}, {"99000000", 0},
                                       {"5100000000", 0}, {"50000000", 1}, {"3000000000", 7}, {"2000000000", -1}, {"", 0}})
        row("range kind " + QString::number(kind), amount, QString::number(mon_range(ctx(), amount, kind)));
    const struct { const char *min, *max; bool dec; const char* amount; } adjust[] = {
        {"100000000", "5000000000", false, "7000000000"}, {"100000000", "5000000000", false, "50000000"},
        {"100000000", "5000000000", false, "250000000"}, {"50000000", "5000000000", true, "125000000"},
        {"50000000", "5000000000", true, "200000000"}, {"100000000", "500000000000", false, "123456700000"},
        // Only the trailing zeros of the minimum count (all seven zeros would give 1.00).
        {"105000000", "5000000000", true, "109000000"},
        // A fraction in whole mode stays apart from the thousands marks.
        {"150000000", "500000000000", false, "175000000"},
    };
    for (const auto& a : adjust) {
        MonCtx c = ctx(a.dec);
        c.jug_min = a.min;
        c.jug_max = a.max;
        row(QString("adjust %1 %2..%3").arg(a.dec ? "dec" : "whole", a.min, a.max), a.amount, mon_adjust(c, a.amount, 0));
    }
    row("adjust dec animal pair", "10000000", mon_adjust(ctx(true), "10000000", 1));

    // The amount fields' key filter: the key passes (its code) or is dropped (0).
    const struct { bool dec; double max; const char* field; int key; } keys[] = {
        {true, 5e8, "", '0'}, {true, 5e8, "5", '.'}, {true, 5e8, "4", '.'}, {true, 5e8, "4.5", '9'},
        {true, 5e8, "0.0", '0'}, {true, 5e8, "0.05", '1'}, {true, 5e8, "0.05", 8}, {true, 5e8, "12", '.'},
        {true, 5e8, "", '6'}, {true, 5e8, "0", '.'}, {true, 5e8, "0", '5'}, {true, 5e8, "0.0", '5'},
        {true, 5e8, "1.0", '0'}, {true, 5e8, "4.", '.'}, {false, 1e11, "100", '0'}, {false, 1e11, "1.000", '0'},
        {false, 1e11, "1", '.'}, {false, 1e11, "12.34", '1'}, {false, 1e11, "12.34", 8}, {false, 1e11, "99", '9'},
    };
    for (const auto& k : keys)
        row(QString("keycheck %1 max %2 field '%3'").arg(k.dec ? "dec" : "whole", num(k.max), k.field),
            QString::number(k.key), QString::number(mon_keycheck(ctx(k.dec), k.field, k.key, k.max)));
    expect_golden(t, "shared/money.txt");
}

void add(TabSim& t, int set, const QString& code, const QString& name)
{
    t.sim_cod << set;
    t.sim_num << code;
    t.sim_nom << name;
}

TEST(Vocab, NamesAndSymbols)
{
    QStringList t;
    for (const char* number : {" 12 ", "123", "12C", "1234", "123C", "123456", "12345", "1", "", "1A3", "1234567", "0-"})
        t << QString("jug_tipo '%1' = '%2'").arg(number, jug_tipo(number));
    for (const auto& [letter, mode] : {std::pair{"L", 0}, {"A", 2}, {"C", 3}, {"J", 1}, {"D", 2}, {"a", 0}, {"M", 0},
                                       {"", 0}, {"AB", 0}})
        t << QString("zod_name '%1' mode %2 = '%3'").arg(letter).arg(mode).arg(zod_name(letter, mode));
    t << "zod_letter 0, 11, 12, -1 = '" + zod_letter(0) + zod_letter(11) + zod_letter(12) + zod_letter(-1) + "'";
    for (const char* code : {"13", "01", "32", "1", "33", "00", " 13", "13 ", ""})
        t << QString("ani_name '%1' = '%2'").arg(code, ani_name(code));
    Vocab v;
    ani_table(v);
    ani_table(v);  // filling again does not grow it
    t << QString("ani_table filled twice: %1 animals").arg(v.tab_ani.size());

    TabSim s;
    add(s, 3, "0", "Delfin");
    add(s, 3, "00", "Ballena");
    add(s, 4, "01", "Otro");
    add(s, 3, "01", "Carnero");
    add(s, 3, "01", "Duplicado");
    add(s, 3, "02", "Hipopotamo Grande");
    add(s, 3, "03", "  Oso Hormiguero");
    add(s, 3, " 05", "Con blanco");
    for (const auto& [set, code] : {std::pair{"3", "0"}, {"3", "0-"}, {"3", "0a"}, {"3", " 0- "}, {"3", "00"}, {"3", "01"},
                                    {"3", "02"}, {"3", "03"}, {"3", "0A"}, {"3", "05"}, {"4", "01"}, {" 3 ", "01"},
                                    {"x", "01"}})
        t << QString("sim_name set '%1' '%2' = '%3'").arg(set, code, sim_name(s, QString(set), code));
    t << "sim_name set 3 (a number) '01' = '" + sim_name(s, 3, "01") + "'";

    // Counts: the named codes, a zero named apart from 00 counting once more.
    auto full = [](const QString& zero_name) {
        TabSim f;
        for (int i = 0; i <= 99; ++i)
            add(f, 1, QString::number(i).rightJustified(2, u'0'), QString("Sym%1").arg(i));
        add(f, 1, "0", zero_name);
        add(f, 2, "01", "Other set");
        return f;
    };
    t << QString("sim_count 00..99 and 0 named 'Sym99', 'Cero', blank; set 2: %1 %2 %3 %4")
             .arg(sim_count(full("Sym99"), 1)).arg(sim_count(full("Cero"), 1)).arg(sim_count(full("   "), 1))
             .arg(sim_count(full("Cero"), 2));
    TabSim roulette;
    for (int i = 1; i <= 36; ++i)
        add(roulette, 5, QString::number(i).rightJustified(2, u'0'), QString("N%1").arg(i));
    add(roulette, 5, "0", "Cero");
    add(roulette, 5, "07", "Again");  // a repeated code counts once
    add(roulette, 5, "100", "Long");  // not a symbol code
    t << QString("sim_count roulette, empty: %1 %2").arg(sim_count(roulette, 5)).arg(sim_count(TabSim{}, 1));
    expect_golden(t, "shared/vocab.txt");
}

} // namespace
