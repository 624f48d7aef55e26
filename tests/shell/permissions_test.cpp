#include "core/app/permissions.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"

#include <gtest/gtest.h>

namespace {

const QStringList ten_codes{"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"};
const QStringList ten_items{"mov_prm", "mov_dpo", "pro_pag", "pro_anu", "rep_vtq",
                            "rep_rtq", "rep_rba", "rep_caj", "rep_lup", "userx"};

// A successful login's permission steps for one user.
void login(App& app, const QStringList& rows, int por_imp, const QString& caja)
{
    app.ses_val.por_imp = por_imp;
    app.ses_val.cod_caj = caja;
    per_table(app);
    for (const auto& r : rows)
        per_row(app, r);
    per_values(app);
}

// Logins one after the other in the same window: each starts over from the whole menu.
// rep_itx and sorteo are decided by the login values alone, by enabling, never by hiding.
TEST(Permissions, EachLoginHidesItsDeniedItemsOnly)
{
    const struct { QStringList rows, hidden; int flg_anu; int por_imp; const char* caja; bool rep_itx, sorteo; } cases[] = {
        {{"202", "302"}, {"mov_prm", "pro_anu"}, 0, 0, "00", false, true},
        {{"405"}, {"rep_lup"}, 1, -1, "01", false, false},
        {{}, {}, 1, 1, "01", true, false},
        {{"202", "503"}, {"mov_prm", "userx"}, 1, 12, "0", true, false},
        {{"302"}, {"pro_anu"}, 0, 0, " 00", false, false},
        {{" 404 "}, {"rep_caj"}, 1, 5, "00", true, true},
        {ten_codes, ten_items, 0, 0, "01", false, false},
        {{"999", "", "40", "4044"}, {}, 1, 1, "00", true, true},
        {{"\t404", "302\r\n", "0202"}, {}, 1, 0, "01", false, false},  // only blanks are trimmed
        {{"203", "203"}, {"mov_dpo"}, 1, 0, "01", false, false},
    };
    TestApp t;
    main_window w(*t);
    auto* itx = t->mnu.value("rep_itx");
    auto* sorteo = t->mnu.value("sorteo");
    t->tab_per.per_cod = QStringList(12, "x");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows.join(",").toStdString() << " " << c.por_imp << " '" << c.caja << "'");
        login(*t, c.rows, c.por_imp, c.caja);
        QStringList hidden, want = c.hidden;
        for (const auto& name : t->mnu.keys())
            if (!t->mnu.value(name)->isVisible())
                hidden << name;
        hidden.sort();
        want.sort();
        EXPECT_EQ(hidden, want);
        EXPECT_EQ(t->ses_val.flg_anu, c.flg_anu);
        EXPECT_EQ(itx->isEnabled(), c.rep_itx);
        EXPECT_EQ(sorteo->isEnabled(), c.sorteo);
        for (const auto& name : ten_items) {
            if (!c.hidden.contains(name)) {
                EXPECT_TRUE(t->mnu.value(name)->isEnabled()) << name.toStdString();
            }
            t->mnu.value(name)->setEnabled(false);  // the next login enables them again
        }
        per_table(*t);  // leaves this login's two decisions alone
        EXPECT_EQ(itx->isEnabled(), c.rep_itx);
        EXPECT_EQ(sorteo->isEnabled(), c.sorteo);
    }
    EXPECT_EQ(t->tab_per.per_cod, ten_codes);
}

} // namespace
