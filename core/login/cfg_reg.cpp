#include "cfg_reg.h"
#include "login_values.h"

#include <QLocale>
#include <cmath>

QString cfg_get(App& app, const QString& key, const QString& def)
{
    return app.reg.get(cfg_app, cfg_section, key, def);
}

void cfg_save(App& app, const QString& key, const QString& value)
{
    app.reg.save(cfg_app, cfg_section, key, value);
}

int cfg_int16(const QString& text)
{
    return to_int16(text.trimmed()).value_or(0);
}

namespace {

// An integer setting: def when absent, 0 when present but not a 16-bit number.
int get_int16(App& app, const QString& key, int def)
{
    const QString absent = QStringLiteral("\x01");
    const QString v = cfg_get(app, key, absent);
    if (v == absent)
        return def;
    return cfg_int16(v);
}

} // namespace

void cfg_load(App& app)
{
    auto& c = app.cfg_reg;
    c.sys_mens = cfg_get(app, "sys_mens", "");
    c.sys_modv = cfg_get(app, "sys_modv", "0");
    app.ses_val.ord_lot = get_int16(app, "sys_zord", -1);
    c.sys_rlot = cfg_get(app, "sys_rlot", "0");

    c.cox_serv = cfg_get(app, "cox_serv", "");
    c.cox_port = cfg_get(app, "cox_port", "");
    c.cox_user = cfg_get(app, "cox_user", "");
    c.cox_dtbs = cfg_get(app, "cox_dtbs", "");
    c.cox_dtb1 = cfg_get(app, "cox_dtb1", "");
    c.cox_dtb2 = cfg_get(app, "cox_dtb2", "");
    c.cox_dtb3 = cfg_get(app, "cox_dtb3", "");

    c.rep_nprn = get_int16(app, "rep_nprn", 0);
    c.rep_impr = cfg_get(app, "rep_impr", "");
    c.rep_salt = get_int16(app, "rep_salt", 0);
    c.rep_marg = get_int16(app, "rep_marg", 0);
    c.rep_letr = cfg_get(app, "rep_letr", "0");
    c.rep_enca = cfg_get(app, "rep_enca", "1");
    c.rep_juga = cfg_get(app, "rep_juga", "1");
    c.rep_simb = cfg_get(app, "rep_simb", "1");
    c.rep_codb = cfg_get(app, "rep_codb", "0");
    c.rep_cutt = cfg_get(app, "rep_cutt", "0");
    c.rep_agot = cfg_get(app, "rep_agot", "0");
}

void marker_write(App& app, const QString& version)
{
    app.reg.save(marker_app, app.nom_prg, marker_key, version);
    app.reg.sync();
}

QString marker_read(App& app)
{
    return app.reg.get(marker_app, app.nom_prg, marker_key, QString());
}
