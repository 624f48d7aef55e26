// The start: the local settings read (or their defaults), the values set up and the loader
// marker written; one golden transcript (tests/golden/shell/).
#include "core/app/rule.h"
#include "core/login/cfg_reg.h"
#include "core/shell/main_window.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

namespace {

const char* const kTexts[] = {"sys_mens", "sys_modv", "sys_rlot", "cox_serv", "cox_port", "cox_user", "cox_dtbs", "cox_dtb1",
                              "cox_dtb2", "cox_dtb3", "rep_letr", "rep_enca", "rep_juga", "rep_simb", "rep_codb",
                              "rep_cutt", "rep_agot"};
const char* const kInts[] = {"sys_zord", "rep_nprn", "rep_salt", "rep_marg"};

QString key(const char* k) { return fake::Settings::path("vuroda", "parsys", k); }

// The settings as read: the texts between quotes, then ord_lot (from sys_zord) and the
// printer's number, feed and margin.
QString settings(App& a)
{
    const CfgReg& c = a.cfg_reg;
    return "'" + QStringList({c.sys_mens, c.sys_modv, c.sys_rlot, c.cox_serv, c.cox_port, c.cox_user, c.cox_dtbs,
                              c.cox_dtb1, c.cox_dtb2, c.cox_dtb3, c.rep_letr, c.rep_enca, c.rep_juga, c.rep_simb,
                              c.rep_codb, c.rep_cutt, c.rep_agot}).join("' '") +
           QString("' %1 %2 %3 %4").arg(a.ses_val.ord_lot).arg(c.rep_nprn).arg(c.rep_salt).arg(c.rep_marg);
}

TEST(StartUp, SettingsAreReadOrTakeTheirDefaults)
{
    QStringList lines;
    {
        TestApp t;
        const QString marker = fake::Settings::path("brontex", "TOVAREN", "version");
        t.reg->values[marker] = "0.0.0.0";  // an update was asked for last time
        main_window w(*t);
        t->ses_val.ord_lot = 7;
        t->ses_val.cod_caj = "01";
        w.Form_Load();
        const auto& s = t->ses_val;
        EXPECT_EQ(s.fec_sys, QDate::currentDate());
        lines << "first start: " + settings(*t)
              << QString("  caja '%1', flg_anu %2, anu_ven %3, val_fijo %4, mod_sys %5, jug_sys %6, num_hdd %7, men_cont %8")
                     .arg(s.cod_caj).arg(s.flg_anu).arg(s.anu_ven).arg(s.val_fijo).arg(s.mod_sys).arg(s.jug_sys)
                     .arg(t->num_hdd).arg(t->men_srv.men_cont)
              << QString("  marker %1 (read %2), synced %3").arg(t.reg->values.value(marker), marker_read(*t)).arg(t.reg->syncs > 0)
              << QString("  window shown %1, timer %2, calls %3, connection %4")
                     .arg(w.isVisible()).arg(w.timers->isActive()).arg(t.srv->log.size())
                     .arg(t->cox_bd.state() == db::adStateOpen ? "open" : "closed");
    }
    {
        TestApp t;
        for (const char* k : kTexts)
            t.reg->values[key(k)] = QString(" v_%1 ").arg(k);
        for (const auto& [k, v] : {std::pair{"sys_zord", "1"}, {"rep_nprn", "2"}, {"rep_salt", " 3 "}, {"rep_marg", "-4"}})
            t.reg->values[key(k)] = v;
        cfg_load(*t);
        lines << "saved: " + settings(*t);
    }
    // Whole-number settings that are not 16-bit numbers give 0.
    for (const char* text : {"", "abc", "1x", "32767", "32768", "-32768", "-32769", "99999999999", "2.5", "3.5", "1e2",
                             "nan", "inf"}) {
        TestApp t;
        for (const char* k : kInts)
            t.reg->values[key(k)] = text;
        cfg_load(*t);
        lines << QString("'%1': ").arg(text) + settings(*t).section(' ', -4);
    }
    expect_golden(lines, "shell/settings.txt");
}

} // namespace
