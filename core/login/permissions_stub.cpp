// STAND-IN, to be deleted when the permission tables land in core/shared/permissions.h.
#include "permissions_stub.h"

namespace {
const char* const kItems[10][2] = {
    {"202", "mov_prm"}, {"203", "mov_dpo"}, {"301", "pro_pag"}, {"302", "pro_anu"}, {"401", "rep_vtq"},
    {"402", "rep_rtq"}, {"403", "rep_rba"}, {"404", "rep_caj"}, {"405", "rep_lup"}, {"503", "userx"},
};
} // namespace

void per_table(App& app)
{
    for (const auto& item : kItems)
        if (QAction* a = app.mnu.value(item[1])) {
            a->setEnabled(true);
            a->setVisible(true);
        }
}

void per_deny(App& app, const QString& code)
{
    for (const auto& item : kItems) {
        if (code != QLatin1String(item[0]))
            continue;
        if (QAction* a = app.mnu.value(item[1]))
            a->setVisible(false);
        if (code == "302")
            app.ses_val.flg_anu = 0;
    }
}

void per_menus(App& app)
{
    if (QAction* a = app.mnu.value("rep_itx"))
        a->setEnabled(app.ses_val.por_imp > 0);
    if (QAction* a = app.mnu.value("sorteo"))
        a->setEnabled(app.ses_val.cod_caj == "00");
}
