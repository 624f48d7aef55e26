#include "core/db/permissions.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"

#include <gtest/gtest.h>

namespace {

const QStringList ten_items{"mov_prm", "mov_dpo", "pro_pag", "pro_anu", "rep_vtq",
                            "rep_rtq", "rep_rba", "rep_caj", "rep_lup", "userx"};

struct Login {
    TestApp t;
    main_window w{*t};
    // A successful login's permission steps for one user.
    void as(const QStringList& rows, int por_imp = 0, const QString& caja = "01")
    {
        t->ses_val.por_imp = por_imp;
        t->ses_val.cod_caj = caja;
        per_table(*t);
        for (const auto& r : rows)
            per_row(*t, r);
        per_values(*t);
    }
    QStringList hidden()
    {
        QStringList h;
        for (const auto& name : t->mnu.keys())
            if (!t->mnu.value(name)->isVisible())
                h << name;
        h.sort();
        return h;
    }
};

TEST(Permissions, TableHoldsTheTenCodes)
{
    Login l;
    l.t->tab_per.per_cod = QStringList{"x", "y", "z", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    l.as({});
    EXPECT_EQ(l.t->tab_per.per_cod,
              QStringList({"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"}));
    ASSERT_EQ(l.t->tab_per.per_nom.size(), 10);
    EXPECT_EQ(l.t->tab_per.per_nom[3], "Procesos - Anulación de Tickets");
}

TEST(Permissions, DeniedCodesHideTheirItems)
{
    struct Case {
        QStringList rows;
        QStringList hidden;
        int flg_anu;
    } cases[] = {
        {{}, {}, 1},
        {{"202", "503"}, {"mov_prm", "userx"}, 1},
        {{"302"}, {"pro_anu"}, 0},
        {{" 404 "}, {"rep_caj"}, 1},
        {{"999", "", "40", "4044"}, {}, 1},
        {{"\t404", "302\r\n", "0202"}, {}, 1},  // only blanks are trimmed
        {{"203", "203"}, {"mov_dpo"}, 1},
        {{"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"}, ten_items, 0},
    };
    for (const auto& c : cases) {
        Login l;
        l.as(c.rows);
        QStringList want = c.hidden;
        want.sort();
        EXPECT_EQ(l.hidden(), want) << c.rows.join(",").toStdString();
        EXPECT_EQ(l.t->ses_val.flg_anu, c.flg_anu) << c.rows.join(",").toStdString();
        // A shown item stays enabled (a hidden one counts as disabled while hidden).
        for (const auto& name : ten_items)
            if (!c.hidden.contains(name)) {
                EXPECT_TRUE(l.t->mnu.value(name)->isEnabled()) << name.toStdString();
            }
    }
}

TEST(Permissions, NextLoginStartsOver)
{
    Login l;
    l.as({"202", "302"});
    ASSERT_FALSE(l.t->mnu.value("mov_prm")->isVisible());
    ASSERT_EQ(l.t->ses_val.flg_anu, 0);
    l.t->mnu.value("rep_caj")->setEnabled(false);

    // Another user who may annul and see the winning numbers.
    l.as({"405"});
    EXPECT_EQ(l.hidden(), QStringList({"rep_lup"}));
    EXPECT_TRUE(l.t->mnu.value("mov_prm")->isEnabled());
    EXPECT_TRUE(l.t->mnu.value("rep_caj")->isEnabled());
    EXPECT_EQ(l.t->ses_val.flg_anu, 1);
}

TEST(Permissions, LoginValueDecisions)
{
    struct Case {
        int por_imp;
        const char* caja;
        bool rep_itx;
        bool sorteo;
    } cases[] = {
        {0, "00", false, true}, {-1, "01", false, false}, {1, "01", true, false},
        {12, "0", true, false}, {0, " 00", false, false}, {5, "00", true, true},
    };
    for (const auto& c : cases) {
        Login l;
        l.as({}, c.por_imp, c.caja);
        EXPECT_EQ(l.t->mnu.value("rep_itx")->isEnabled(), c.rep_itx) << c.por_imp;
        EXPECT_EQ(l.t->mnu.value("sorteo")->isEnabled(), c.sorteo) << c.caja;
        // Decided by enabling, never by hiding.
        EXPECT_TRUE(l.t->mnu.value("rep_itx")->isVisible());
        EXPECT_TRUE(l.t->mnu.value("sorteo")->isVisible());
    }
    // per_table leaves the two decisions of the previous login alone.
    Login l;
    l.as({}, 0, "01");
    per_table(*l.t);
    EXPECT_FALSE(l.t->mnu.value("rep_itx")->isEnabled());
    EXPECT_FALSE(l.t->mnu.value("sorteo")->isEnabled());
}

} // namespace
