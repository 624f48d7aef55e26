// The menu permissions of logins one after the other in the same window; one golden
// transcript (tests/golden/shell/).
#include "core/app/permissions.h"
#include "core/shell/main_window.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

namespace {

const QStringList ten_codes{"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"};
const QStringList ten_items{"mov_prm", "mov_dpo", "pro_pag", "pro_anu", "rep_vtq",
                            "rep_rtq", "rep_rba", "rep_caj", "rep_lup", "userx"};

// Each login starts over from the whole menu and hides its denied items only; rep_itx and
// sorteo are decided by the login values alone, by enabling, never by hiding, and a later
// per_table leaves them alone.
TEST(Permissions, EachLoginHidesItsDeniedItemsOnly)
{
    const struct { QStringList rows; int por_imp; const char* caja; } cases[] = {
        {{"202", "302"}, 0, "00"}, {{"405"}, -1, "01"}, {{}, 1, "01"}, {{"202", "503"}, 12, "0"}, {{"302"}, 0, " 00"},
        {{" 404 "}, 5, "00"}, {ten_codes, 0, "01"}, {{"999", "", "40", "4044"}, 1, "00"},
        {{"\t404", "302\r\n", "0202"}, 0, "01"},  // only blanks are trimmed
        {{"203", "203"}, 0, "01"},
    };
    TestApp t;
    main_window w(*t);
    auto* itx = t->mnu.value("rep_itx");
    auto* sorteo = t->mnu.value("sorteo");
    t->tab_per.per_cod = QStringList(12, "x");
    QStringList lines;
    for (const auto& c : cases) {
        t->ses_val.por_imp = c.por_imp;
        t->ses_val.cod_caj = c.caja;
        per_table(*t);
        for (const auto& r : c.rows)
            per_row(*t, r);
        per_values(*t);
        QStringList hidden, disabled;
        for (const auto& name : t->mnu.keys()) {
            if (!t->mnu.value(name)->isVisible())
                hidden << name;
            if (!t->mnu.value(name)->isEnabled())
                disabled << name;
        }
        hidden.sort();
        disabled.sort();
        QString line = QString("[%1] por_imp %2 caja '%3': hidden %4; disabled %5; flg_anu %6")
                           .arg(QString(c.rows.join(',')).replace("\t", "\\t").replace("\r\n", "\\r\\n"))
                           .arg(c.por_imp).arg(c.caja, hidden.join(' '), disabled.join(' ')).arg(t->ses_val.flg_anu);
        for (const auto& name : ten_items)
            t->mnu.value(name)->setEnabled(false);  // the next login enables them again
        per_table(*t);
        lines << line + QString("; after per_table rep_itx %1 sorteo %2").arg(itx->isEnabled()).arg(sorteo->isEnabled());
    }
    lines << "codes: " + t->tab_per.per_cod.join(' ');
    expect_golden(lines, "shell/permissions.txt");
}

} // namespace
