#include "permissions.h"
#include "core/shared/justify.h"
#include "core/shared/permissions.h"

namespace {

QAction* item(App& app, const char* name)
{
    return app.mnu.value(QString::fromLatin1(name), nullptr);
}

} // namespace

void per_table(App& app)
{
    app.tab_per.per_cod.clear();
    app.tab_per.per_nom.clear();
    for (const auto& e : per_entries()) {
        if (QAction* a = item(app, e.item)) {
            a->setEnabled(true);
            a->setVisible(true);
        }
        app.tab_per.per_cod.append(QString::fromUtf8(e.cod));
        app.tab_per.per_nom.append(QString::fromUtf8(e.nom));
    }
    // The menu starts over for every user; so does the right to annul.
    app.ses_val.flg_anu = 1;
}

void per_row(App& app, const QString& value)
{
    // Only blanks are trimmed: the rest of the value is compared exactly.
    const QString v = trim_blanks(value);
    for (const auto& e : per_entries()) {
        if (v != QLatin1String(e.cod))
            continue;
        if (QAction* a = item(app, e.item))
            a->setVisible(false);
        if (v == QLatin1String("302"))
            app.ses_val.flg_anu = 0;
    }
}

void per_values(App& app)
{
    if (QAction* a = item(app, "rep_itx"))
        a->setEnabled(app.ses_val.por_imp > 0);
    if (QAction* a = item(app, "sorteo"))
        a->setEnabled(app.ses_val.cod_caj == QLatin1String("00"));
}
