// The play vocabulary: number classes, sign, cacho and animal names, symbol lookups and
// counts; one golden transcript (tests/golden/shared/vocab.txt).
#include "core/shared/state.h"
#include "core/shared/vocab.h"
#include "tests/doubles/golden.h"

namespace {

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
