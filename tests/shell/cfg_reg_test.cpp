#include "core/db/rule.h"
#include "core/login/cfg_reg.h"
#include "core/shell/main_window.h"
#include "tests/doubles/test_app.h"

#include <gtest/gtest.h>

namespace {

QString key(const char* k) { return fake::Settings::path("vuroda", "parsys", k); }
const QString marker = fake::Settings::path("brontex", "TOVAREN", "version");

TEST(StartUp, FirstStartWithNoSettingsTakesEveryDefault)
{
    TestApp t;
    main_window w(*t);
    t->ses_val.ord_lot = 7;
    t->ses_val.cod_caj = "01";
    w.Form_Load();

    const auto& c = t->cfg_reg;
    EXPECT_EQ(c.sys_mens, "");
    EXPECT_EQ(c.sys_modv, "0");
    EXPECT_EQ(c.sys_rlot, "0");
    for (const auto* v : {&c.cox_serv, &c.cox_port, &c.cox_user, &c.cox_dtbs, &c.cox_dtb1, &c.cox_dtb2, &c.cox_dtb3})
        EXPECT_EQ(*v, "");
    EXPECT_EQ(c.rep_nprn, 0);
    EXPECT_EQ(c.rep_salt, 0);
    EXPECT_EQ(c.rep_marg, 0);
    EXPECT_EQ(c.rep_letr, "0");
    EXPECT_EQ(c.rep_enca, "1");
    EXPECT_EQ(c.rep_juga, "1");
    EXPECT_EQ(c.rep_simb, "1");
    EXPECT_EQ(c.rep_codb, "0");
    EXPECT_EQ(c.rep_cutt, "0");
    EXPECT_EQ(c.rep_agot, "0");
    EXPECT_EQ(t->ses_val.ord_lot, -1);

    const auto& s = t->ses_val;
    EXPECT_EQ(s.cod_caj, "");
    EXPECT_EQ(s.fec_sys, QDate::currentDate());
    EXPECT_EQ(s.flg_anu, 1);
    EXPECT_EQ(s.anu_ven, "0");
    EXPECT_EQ(s.val_fijo, 1);
    EXPECT_EQ(s.mod_sys, 100000000.0);
    EXPECT_EQ(s.jug_sys, 100000000.0);
    EXPECT_EQ(t->num_hdd, "0305419896");
    EXPECT_TRUE(t->txt_marca.startsWith("   ") && t->txt_marca.size() > 3);
    EXPECT_EQ(t->men_srv.men_cont, 10);
    EXPECT_EQ(t->ver_comp, "3.8.2.4");
    EXPECT_EQ(t.reg->values.value(marker), "3.8.2.4");
    EXPECT_GE(t.reg->syncs, 1);

    // Nothing shown, nothing sent, nothing ticking.
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.timers->isActive());
    EXPECT_EQ(w.timers->interval(), 60000);
    EXPECT_EQ(t.srv->opens, 0);
    EXPECT_TRUE(t.srv->log.isEmpty());
    EXPECT_EQ(t->cox_bd.state(), db::adStateClosed);
}

TEST(StartUp, MarkerIsRewrittenAtEveryStart)
{
    TestApp t;
    t.reg->values[marker] = "0.0.0.0";
    main_window w(*t);
    w.Form_Load();
    EXPECT_EQ(t.reg->values.value(marker), "3.8.2.4");
    EXPECT_EQ(marker_read(*t), "3.8.2.4");
}

TEST(StartUp, SavedSettingsAreRead)
{
    const std::pair<const char*, QString CfgReg::*> texts[] = {
        {"sys_mens", &CfgReg::sys_mens}, {"sys_modv", &CfgReg::sys_modv}, {"sys_rlot", &CfgReg::sys_rlot},
        {"cox_serv", &CfgReg::cox_serv}, {"cox_port", &CfgReg::cox_port}, {"cox_user", &CfgReg::cox_user},
        {"cox_dtbs", &CfgReg::cox_dtbs}, {"cox_dtb1", &CfgReg::cox_dtb1}, {"cox_dtb2", &CfgReg::cox_dtb2},
        {"cox_dtb3", &CfgReg::cox_dtb3}, {"rep_letr", &CfgReg::rep_letr}, {"rep_enca", &CfgReg::rep_enca},
        {"rep_juga", &CfgReg::rep_juga}, {"rep_simb", &CfgReg::rep_simb}, {"rep_codb", &CfgReg::rep_codb},
        {"rep_cutt", &CfgReg::rep_cutt}, {"rep_agot", &CfgReg::rep_agot}};
    TestApp t;
    for (const auto& [k, m] : texts)
        t.reg->values[key(k)] = QString(" v_%1 ").arg(k);
    t.reg->values[key("sys_zord")] = "1";
    t.reg->values[key("rep_nprn")] = "2";
    t.reg->values[key("rep_salt")] = " 3 ";
    t.reg->values[key("rep_marg")] = "-4";
    cfg_load(*t);
    for (const auto& [k, m] : texts)  // texts as saved, blanks and all
        EXPECT_EQ(t->cfg_reg.*m, QString(" v_%1 ").arg(k)) << k;
    EXPECT_EQ(t->ses_val.ord_lot, 1);
    EXPECT_EQ(t->cfg_reg.rep_nprn, 2);
    EXPECT_EQ(t->cfg_reg.rep_salt, 3);
    EXPECT_EQ(t->cfg_reg.rep_marg, -4);
}

TEST(StartUp, IntegerSettingsThatAreNotSixteenBitNumbersGiveZero)
{
    struct Case {
        const char* text;
        int want;
    } cases[] = {
        {"", 0}, {"abc", 0}, {"1x", 0}, {"32767", 32767}, {"32768", 0}, {"-32768", -32768},
        {"-32769", 0}, {"99999999999", 0}, {"2.5", 2}, {"3.5", 4}, {"1e2", 100}, {"nan", 0}, {"inf", 0},
    };
    for (const auto& c : cases) {
        TestApp t;
        for (const char* k : {"sys_zord", "rep_nprn", "rep_salt", "rep_marg"})
            t.reg->values[key(k)] = c.text;
        cfg_load(*t);
        EXPECT_EQ(t->ses_val.ord_lot, c.want) << c.text;
        EXPECT_EQ(t->cfg_reg.rep_nprn, c.want) << c.text;
        EXPECT_EQ(t->cfg_reg.rep_salt, c.want) << c.text;
        EXPECT_EQ(t->cfg_reg.rep_marg, c.want) << c.text;
    }
}

} // namespace
