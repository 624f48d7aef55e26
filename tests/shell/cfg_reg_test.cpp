#include "core/app/rule.h"
#include "core/login/cfg_reg.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"

#include <gtest/gtest.h>

namespace {

QString key(const char* k) { return fake::Settings::path("vuroda", "parsys", k); }

QStringList texts(const CfgReg& c)
{
    return {c.sys_mens, c.sys_modv, c.sys_rlot, c.cox_serv, c.cox_port, c.cox_user, c.cox_dtbs, c.cox_dtb1, c.cox_dtb2,
            c.cox_dtb3, c.rep_letr, c.rep_enca, c.rep_juga, c.rep_simb, c.rep_codb, c.rep_cutt, c.rep_agot};
}

TEST(StartUp, FirstStartTakesEveryDefaultAndWritesTheMarker)
{
    TestApp t;
    const QString marker = fake::Settings::path("brontex", "TOVAREN", "version");
    t.reg->values[marker] = "0.0.0.0";  // an update was asked for last time
    main_window w(*t);
    t->ses_val.ord_lot = 7;
    t->ses_val.cod_caj = "01";
    w.Form_Load();

    const auto& c = t->cfg_reg;
    EXPECT_EQ(texts(c), QStringList({"", "0", "0", "", "", "", "", "", "", "", "0", "1", "1", "1", "0", "0", "0"}));
    EXPECT_EQ(QList<int>({c.rep_nprn, c.rep_salt, c.rep_marg, t->ses_val.ord_lot}), QList<int>({0, 0, 0, -1}));
    const auto& s = t->ses_val;
    EXPECT_EQ(QVariantList({s.cod_caj, s.fec_sys, s.flg_anu, s.anu_ven, s.val_fijo, s.mod_sys, s.jug_sys, t->num_hdd,
                            t->men_srv.men_cont}),
              QVariantList({"", QDate::currentDate(), 1, "0", 1, 1e8, 1e8, "0305419896", 10}));
    EXPECT_EQ(t.reg->values.value(marker), "3.8.2.4");
    EXPECT_EQ(marker_read(*t), "3.8.2.4");
    EXPECT_GE(t.reg->syncs, 1);

    // Nothing shown, nothing sent, nothing ticking.
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.timers->isActive());
    EXPECT_TRUE(t.srv->log.isEmpty());
    EXPECT_EQ(t->cox_bd.state(), db::adStateClosed);
}

TEST(StartUp, SavedSettingsAreRead)
{
    TestApp t;
    QStringList saved;
    for (const char* k : {"sys_mens", "sys_modv", "sys_rlot", "cox_serv", "cox_port", "cox_user", "cox_dtbs", "cox_dtb1",
                          "cox_dtb2", "cox_dtb3", "rep_letr", "rep_enca", "rep_juga", "rep_simb", "rep_codb", "rep_cutt",
                          "rep_agot"}) {
        saved << QString(" v_%1 ").arg(k);
        t.reg->values[key(k)] = saved.last();
    }
    t.reg->values[key("sys_zord")] = "1";
    t.reg->values[key("rep_nprn")] = "2";
    t.reg->values[key("rep_salt")] = " 3 ";
    t.reg->values[key("rep_marg")] = "-4";
    cfg_load(*t);
    EXPECT_EQ(texts(t->cfg_reg), saved);  // as saved, blanks and all
    const auto& c = t->cfg_reg;
    EXPECT_EQ(QList<int>({t->ses_val.ord_lot, c.rep_nprn, c.rep_salt, c.rep_marg}), QList<int>({1, 2, 3, -4}));
}

TEST(StartUp, IntegerSettingsThatAreNotSixteenBitNumbersGiveZero)
{
    const struct { const char* text; int want; } cases[] = {
        {"", 0}, {"abc", 0}, {"1x", 0}, {"32767", 32767}, {"32768", 0}, {"-32768", -32768},
        {"-32769", 0}, {"99999999999", 0}, {"2.5", 2}, {"3.5", 4}, {"1e2", 100}, {"nan", 0}, {"inf", 0},
    };
    for (const auto& c : cases) {
        TestApp t;
        for (const char* k : {"sys_zord", "rep_nprn", "rep_salt", "rep_marg"})
            t.reg->values[key(k)] = c.text;
        cfg_load(*t);
        const auto& r = t->cfg_reg;
        EXPECT_EQ(QList<int>({t->ses_val.ord_lot, r.rep_nprn, r.rep_salt, r.rep_marg}), QList<int>(4, c.want)) << c.text;
    }
}

} // namespace
