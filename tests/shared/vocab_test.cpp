#include <gtest/gtest.h>

#include "core/shared/state.h"
#include "core/shared/vocab.h"

namespace {

void add(TabSim& t, int set, const QString& code, const QString& name)
{
    t.sim_cod << set;
    t.sim_num << code;
    t.sim_nom << name;
}

QString blanks(int n) { return QString(n, u' '); }

TEST(VocabNames, NumberClassesByShape)
{
    const std::pair<const char*, const char*> cases[] = {
        {" 12 ", "R"}, {"123", "T"}, {"12C", "Y"}, {"1234", "L"}, {"123C", "Z"}, {"123456", "M"},
        {"12345", ""}, {"1", ""},    {"", ""},      {"1A3", "T"},  {"1234567", ""}, {"0-", "R"},
    };
    for (const auto& [number, cls] : cases)
        EXPECT_EQ(jug_tipo(number), cls) << '"' << number << '"';
}

TEST(VocabNames, SignsCachosAndAnimalsArePaddedNames)
{
    const struct { const char* letter; int mode; QString name; } signs[] = {
        {"L", 0, "Piscis     "}, {"A", 2, "MedioCacho "}, {"C", 3, "DobleCacho "},
        {"J", 1, "Capricornio"}, {"D", 2, blanks(11)},     {"a", 0, blanks(11)},
        {"M", 0, blanks(11)},    {"", 0, blanks(11)},      {"AB", 0, blanks(11)},
    };
    for (const auto& t : signs)
        EXPECT_EQ(zod_name(t.letter, t.mode), t.name) << t.letter << " mode " << t.mode;

    EXPECT_EQ(zod_letter(0) + zod_letter(11) + zod_letter(12) + zod_letter(-1), "AL");

    EXPECT_EQ(ani_name("13"), "Rana      ");
    EXPECT_EQ(ani_name("01"), "Pajaro    ");
    EXPECT_EQ(ani_name("32"), "Gallina   ");
    for (const char* code : {"1", "33", "00", " 13", "13 ", ""})
        EXPECT_EQ(ani_name(code), blanks(10)) << '"' << code << '"';

    Vocab v;
    ani_table(v);
    ani_table(v);  // filling again does not grow it
    EXPECT_EQ(v.tab_ani.size(), 32);
}

TEST(VocabSymbols, LookupByCodeAndSet)
{
    TabSim t;
    add(t, 3, "0", "Delfin");
    add(t, 3, "00", "Ballena");
    add(t, 4, "01", "Otro");
    add(t, 3, "01", "Carnero");
    add(t, 3, "01", "Duplicado");
    add(t, 3, "02", "Hipopotamo Grande");
    add(t, 3, "03", "  Oso Hormiguero");
    add(t, 3, " 05", "Con blanco");

    for (const char* code : {"0", "0-", "0a", " 0- "})
        EXPECT_EQ(sim_name(t, 3, code), "Delfin    ") << '"' << code << '"';
    const std::pair<const char*, const char*> cases[] = {
        {"00", "Ballena   "}, {"01", "Carnero   "}, {"02", "Hipopotamo"},
        {"03", "Oso Horm  "}, {"0A", "          "}, {"05", "          "},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(sim_name(t, 3, code), name) << code;
    EXPECT_EQ(sim_name(t, 4, "01"), "Otro      ");
    EXPECT_EQ(sim_name(t, QString(" 3 "), "01"), "Carnero   ");
    EXPECT_EQ(sim_name(t, QString("x"), "01"), blanks(10));
}

TEST(VocabSymbols, CountsNamedCodesAndADistinctZero)
{
    auto full = [](const QString& zero_name) {
        TabSim t;
        for (int i = 0; i <= 99; ++i)
            add(t, 1, QString::number(i).rightJustified(2, u'0'), QString("Sym%1").arg(i));
        add(t, 1, "0", zero_name);
        add(t, 2, "01", "Other set");
        return t;
    };
    EXPECT_EQ(sim_count(full("Sym99"), 1), 100);
    EXPECT_EQ(sim_count(full("Cero"), 1), 101);
    EXPECT_EQ(sim_count(full("   "), 1), 100);
    EXPECT_EQ(sim_count(full("Cero"), 2), 1);

    TabSim roulette;
    for (int i = 1; i <= 36; ++i)
        add(roulette, 5, QString::number(i).rightJustified(2, u'0'), QString("N%1").arg(i));
    add(roulette, 5, "0", "Cero");
    add(roulette, 5, "07", "Again");   // a repeated code counts once
    add(roulette, 5, "100", "Long");   // not a symbol code
    EXPECT_EQ(sim_count(roulette, 5), 37);
    EXPECT_EQ(sim_count(TabSim{}, 1), 0);
}

} // namespace
