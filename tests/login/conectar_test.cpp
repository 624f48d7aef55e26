// "Conectar": finding the server, getcox, getutq and getsim, and what the login leaves.
#include "tests/login/login_fixture.h"

#include <QAction>
#include <QRegularExpression>

namespace {
const QString k10(10, ' ');
const QString kNoConexion = "No hay conexión con el servidor." + k10;
const QString kDatosNoValidos = "Datos de conexión no son válidos." + k10;
const QString kFrameVersion = "            *** PROGRAMA NO ES VALIDO ***               \r\n\r\n"
                              "            ***  ACTUALIZAR PROGRAMA  ***               \r\n\r\n"
                              "            ***       KELMARIS        ***               \r\n";
const QString kFrameConexion = "            *** CONEXION NO ES VALIDA ***               \r\n\r\n"
                               "            ***       KELMARIS        ***               \r\n";
QString frame_not_available(int lead)
{
    const QString b(lead, ' ');
    return b + "*** SERVICIO NO ESTA DISPONIBLE ***               \r\n\r\n" + b +
           "***          KELMARIS           ***               \r\n";
}
} // namespace

using Conectar = LoginTest;

TEST_F(Conectar, FirstStartWithNoSettingsLogsIn)
{
    conectar("cajero", "clave", "demo");

    // No saved server: both discovery hosts, then the first fixed proxy with the fixed login.
    ASSERT_EQ(ta->http->calls.size(), 2);
    EXPECT_EQ(ta->http->calls[0].url, discovery(0));
    EXPECT_EQ(ta->http->calls[1].url, discovery(1));
    EXPECT_EQ(srv().open_tries, QStringList{proxy(0)});
    const db::ConnectProps& open = srv().last_open;
    EXPECT_EQ(open.user, "xuser");
    EXPECT_EQ(open.password, deploy::db_password);
    EXPECT_EQ(open.app_name, "3.8.2.4");
    EXPECT_EQ(open.database, "");
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{24}$").match(open.workstation).hasMatch());

    // The calls in order, with their values.
    ASSERT_EQ(srv().procs(), QStringList({"getcox", "getutq", "getsim"}));
    EXPECT_EQ(srv().log[0].values, QVariantList({app()->num_hdd, "DEMO"}));
    EXPECT_EQ(srv().log[1].values, QVariantList({"CAJERO", "CLAVE", app()->num_hdd, "3.8.2.4", "10.1.1.1"}));
    for (db::Command* cmd : app()->commands())
        EXPECT_EQ(cmd->active_connection, &app()->cox_bd);

    // Settings saved, the password nowhere.
    EXPECT_EQ(QStringList({saved("cox_user"), saved("cox_serv"), saved("cox_port"), saved("cox_dtbs"),
                           saved("cox_dtb1"), saved("cox_dtb2"), saved("cox_dtb3")}),
              QStringList({"CAJERO", "127.1.1.1", "11433", "DEMO", "DEMO", "", ""}));
    for (const QString& value : ta->reg->values)
        EXPECT_NE(value, "CLAVE");
    EXPECT_GT(ta->reg->syncs, 0);

    // Login values, symbols, caption, window closed.
    const SesVal& s = app()->ses_val;
    EXPECT_EQ(s.cod_caj, "01");
    EXPECT_EQ(s.nom_ven, "AGENCIA DEMO");
    EXPECT_EQ(app()->tab_sim.sim_nom.size(), 101);
    EXPECT_EQ(app()->flg_nocox, 0);
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(captions[0].cod_caj, "01");
    EXPECT_EQ(captions[0].flg_nocox, 0);
    EXPECT_EQ(dlg_boxes(), 0);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(dlg().pointers.first(), plat::ptr_hourglass);
    EXPECT_EQ(dlg().pointer(), plat::ptr_default);
}

TEST_F(Conectar, SavedServerIsTriedFirst)
{
    struct Case {
        QString serv, port;
        QStringList tries;
        int discovery_calls;
    };
    const Case cases[] = {
        {"198.51.100.10", "1433", {"198.51.100.10:1433"}, 0},
        {"192.168.0.10", "1433", {proxy(0)}, 2},  // a part 0 is no address
        {"central.example", "1433", {proxy(0)}, 2},
        {"198.51.100.10", "", {proxy(0)}, 2},
        {"198.51.100.10", "123456", {proxy(0)}, 2},
        {"198.51.100.10", "abc", {proxy(0)}, 2},  // passes the check, fails at the open
    };
    for (const auto& k : cases) {
        SCOPED_TRACE((k.serv + ":" + k.port).toStdString());
        reset();
        app()->cfg_reg.cox_serv = k.serv;
        app()->cfg_reg.cox_port = k.port;
        conectar();
        EXPECT_EQ(srv().open_tries, k.tries);
        EXPECT_EQ(ta->http->calls.size(), k.discovery_calls);
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
    }
}

TEST_F(Conectar, DiscoveryEntriesGiveTheTries)
{
    struct Case {
        QByteArray body;
        QStringList tries;  // before the fixed proxies
    };
    const Case cases[] = {
        {"proxy0=198.51.100.10;proxy1=198.51.100.11,1500;", {"198.51.100.10:11433", "198.51.100.11:1500"}},
        {"proxy1=198.51.100.11,1500;proxy0=198.51.100.10;", {"198.51.100.10:11433", "198.51.100.11:1500"}},
        {"x=1\nproxy0= 198.51.100.10 ;\n", {"198.51.100.10:11433"}},
        {"proxy0=198.51.100.10", {}},
        {"proxy0=;proxy1=198.51.100.11,1500;", {"198.51.100.11:1500"}},
        {"proxy0=198.51.100.10,;", {}},
        {"proxy0=198.51.100.10,1500,7;", {"198.51.100.10:1500"}},
        {"PROXY0=198.51.100.10;", {}},
        {"proxy0=central.example;", {}},
        {"proxy0=198.51.100.10;proxy1=198.51.100.10;", {"198.51.100.10:11433", "198.51.100.10:11433"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.body.toStdString());
        reset();
        reply(0, 200, k.body);
        // Nothing answers but the second fixed proxy, so every try shows.
        for (const char* hp : {"198.51.100.10:11433", "198.51.100.11:1500", "198.51.100.10:1500"})
            srv().refuse(hp);
        srv().refuse(proxy(0));
        conectar();
        EXPECT_EQ(ta->http->calls.size(), 1);  // a body from the first host is used as it is
        EXPECT_EQ(srv().open_tries, k.tries + QStringList({proxy(0), proxy(1)}));
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
    }
}

TEST_F(Conectar, SecondDiscoveryHostOnlyWhenTheFirstGaveNothing)
{
    struct Case {
        const char* name;
        int status0;  // 0: first host unreachable
        QByteArray body0;
        int calls;
        QStringList tries;
    };
    const Case cases[] = {
        {"empty body", 200, "", 2, {"198.51.100.30:11433"}},
        {"status 500", 500, "proxy0=198.51.100.10;", 2, {"198.51.100.30:11433"}},
        {"unreachable", 0, "", 2, {"198.51.100.30:11433"}},
        {"no usable entry", 200, "nada", 1, {proxy(0)}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        reset();
        if (k.status0)
            reply(0, k.status0, k.body0);
        reply(1, 200, "proxy1=198.51.100.30;");
        conectar();
        EXPECT_EQ(ta->http->calls.size(), k.calls);
        EXPECT_EQ(srv().open_tries, k.tries);
    }
}

TEST_F(Conectar, NoServerAnswersKeepsTheWindowOpen)
{
    app()->cfg_reg.cox_serv = "198.51.100.10";
    app()->cfg_reg.cox_port = "1433";
    for (const QString& hp : {QString("198.51.100.10:1433"), proxy(0), proxy(1)})
        srv().refuse(hp);
    conectar();

    EXPECT_EQ(srv().open_tries, QStringList({"198.51.100.10:1433", proxy(0), proxy(1)}));
    EXPECT_EQ(box(), kNoConexion);
    EXPECT_EQ(dlg().boxes[0].style, 16);
    EXPECT_EQ(app()->flg_nocox, 1);
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(captions[0].flg_nocox, 1);
    EXPECT_TRUE(srv().log.isEmpty());
    EXPECT_EQ(text("tx_clav"), "CLAVE");  // the window stays with its fields

    // Once a server answers, the next press logs in and clears the flag.
    srv().allow(proxy(1));
    click("b_conectar");
    EXPECT_EQ(app()->ses_val.cod_caj, "01");
    EXPECT_EQ(app()->flg_nocox, 0);
}

TEST_F(Conectar, EmptyFieldsAreRefusedBeforeAnyServer)
{
    struct Case {
        QString user, clav, dtbs;
        const char* focus;
    };
    const Case cases[] = {
        {"", "", "", "tx_dtbs"},
        {"", "CLAVE", "DEMO", "tx_user"},
        {"", "", "DEMO", "tx_clav"},
        {"CAJERO", "CLAVE", " ", "tx_dtbs"},
    };
    app()->register_window("movtik", [](App&) -> QWidget* { return new QWidget; });
    for (const auto& k : cases) {
        SCOPED_TRACE((k.user + "/" + k.clav + "/" + k.dtbs).toStdString());
        app()->window("movtik");
        app()->ses_val.cod_caj = "01";
        dlg().boxes.clear();
        conectar(k.user, k.clav, k.dtbs);
        EXPECT_EQ(box(), kDatosNoValidos);
        EXPECT_EQ(dlg().boxes[0].style, 48);
        EXPECT_EQ(dlg().boxes[0].title, "Tovaren");
        EXPECT_EQ(w->focusWidget(), c(k.focus));
        EXPECT_EQ(app()->ses_val.cod_caj, "**");
        EXPECT_FALSE(app()->is_loaded("movtik"));  // unloaded even so
    }
    EXPECT_TRUE(dlg().pointers.isEmpty());
    EXPECT_TRUE(ta->http->calls.isEmpty());
    EXPECT_TRUE(srv().open_tries.isEmpty());
}

TEST_F(Conectar, GetcoxAnswersThatEndTheProgram)
{
    struct Case {
        int code;
        QString text;
        bool restarts;
    };
    const Case cases[] = {
        {1, kDatosNoValidos, true},
        {2, kFrameVersion, false},
        {3, kFrameConexion, false},
        {4, frame_not_available(8), false},
        {-1, frame_not_available(8), false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.code);
        reset();
        srv().model.cox["DEMO"].status = k.code;
        bool visible_at_box = true;
        dlg().on_box = [&](const fake::Box&) { visible_at_box = w->isVisible(); };
        conectar();
        EXPECT_EQ(srv().procs(), QStringList{"getcox"});
        EXPECT_EQ(box(), k.text);
        EXPECT_EQ(dlg().boxes[0].style, 48);
        EXPECT_EQ(dlg().boxes[0].title, "Tovaren");
        EXPECT_FALSE(visible_at_box);
        EXPECT_TRUE(ta->sys->ended);
        EXPECT_EQ(ta->sys->restarted, k.restarts);
        EXPECT_EQ(app()->cox_bd.state(), db::adStateClosed);
        EXPECT_TRUE(saved("cox_user").isNull());
    }
    // An unknown database code is answered 3, also without a record set.
    reset();
    srv().no_recordset("getcox");
    conectar("CAJERO", "CLAVE", "OTRA");
    EXPECT_EQ(box(), kFrameConexion);
}

TEST_F(Conectar, GetcoxAnswerFiveFailsAtGetutq)
{
    srv().model.cox["DEMO"].status = 5;
    conectar();
    EXPECT_EQ(srv().procs(), QStringList{"getcox"});
    EXPECT_EQ(box(), kNoConexion);
    EXPECT_EQ(app()->flg_nocox, 1);
    EXPECT_FALSE(ta->sys->ended);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(Conectar, NewerVersionMarksTheLoader)
{
    const std::pair<QString, bool> versions[] = {
        {"3.8.2.5", true}, {"3.10.0.0", false}, {"3.8.2.4", false}, {"", false}, {"4", true},
    };
    for (const auto& [version, marks] : versions) {
        SCOPED_TRACE(version.toStdString());
        reset();
        ta->reg->values["brontex/TOVAREN/version"] = "3.8.2.4";
        srv().model.cox["DEMO"].app_numver = version;
        conectar();
        EXPECT_EQ(marker(), marks ? "0.0.0.0" : "3.8.2.4");
        EXPECT_EQ(dlg_boxes(), 0);
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
    }
}

TEST_F(Conectar, GetcoxDataServeTheNextReconnect)
{
    auto& cox = srv().model.cox["DEMO"];
    cox.server_port = "1500";
    cox.omit = {"server_ip"};
    cox.extra = {{"Server_IP", "198.51.100.99"}, {"server_ip", "198.51.100.50"}, {"databs", "segunda"}};
    conectar();
    EXPECT_EQ(srv().open_tries, QStringList{proxy(0)});  // the open connection stays where it is
    EXPECT_EQ(app()->dat_cox.srv_databs, "segunda");      // the later row wins
    EXPECT_EQ(saved("cox_serv"), "198.51.100.50");         // names compared exactly
    EXPECT_EQ(saved("cox_port"), "1500");
    ASSERT_TRUE(cox_reconnect(*app()));
    EXPECT_EQ(srv().open_tries.last(), "198.51.100.50:1500");
    EXPECT_EQ(srv().last_open.database, "segunda");
}

TEST_F(Conectar, FailedLoginCallsEndOnTheLostConnectionPath)
{
    for (const char* proc : {"getcox", "getutq", "getsim"}) {
        SCOPED_TRACE(proc);
        reset();
        srv().fail_next(1, proc);
        conectar();
        EXPECT_EQ(srv().procs().last(), proc);
        EXPECT_EQ(box(), kNoConexion);
        EXPECT_EQ(dlg().boxes[0].style, 16);
        EXPECT_EQ(app()->flg_nocox, 1);
        EXPECT_EQ(app()->ses_val.cod_caj, "**");
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(ta->sys->ended);
        EXPECT_TRUE(app()->cmd_sp.params().isEmpty());
        // Only a failed getsim comes after the settings were saved.
        EXPECT_EQ(saved("cox_user").isNull(), QString(proc) != "getsim");
    }
}

TEST_F(Conectar, GetutqRefusalsKeepTheWindowOpen)
{
    struct Case {
        int outlet_status;
        QString user, clav, text;
        bool saves;
    };
    const Case cases[] = {
        {2, "CAJERO", "CLAVE", "Tovaren inactiva.", true},
        {0, "CAJERO", "OTRA", "Clave incorrecta.", false},
        {0, "NADIE", "CLAVE", "Usuario no es válido.", false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text.toStdString());
        reset();
        app()->flg_nocox = 1;
        srv().model.outlet.status = k.outlet_status;
        conectar(k.user, k.clav);
        EXPECT_EQ(box(), k.text + k10);
        EXPECT_EQ(dlg().boxes[0].style, 48);
        EXPECT_EQ(saved("cox_user").isNull(), !k.saves);
        EXPECT_EQ(srv().procs().contains("getsim"), k.saves);
        EXPECT_EQ(app()->ses_val.cod_caj, "**");
        EXPECT_EQ(app()->flg_nocox, 0);
        ASSERT_EQ(captions.size(), 1);
        EXPECT_EQ(captions[0].cod_caj, "**");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->focusWidget(), c("tx_clav"));
        EXPECT_EQ(text("tx_clav"), k.clav);
        EXPECT_FALSE(ta->sys->ended);
    }
}

TEST_F(Conectar, GetutqFatalAnswersEndTheProgram)
{
    const QString frame8 = "            *** SERVICIO SUSPENDIDO ***               \r\n\r\n"
                           "            ***      KELMARIS       ***               \r\n";
    const std::pair<int, QString> cases[] = {
        {7, kFrameConexion}, {8, frame8}, {9, kFrameVersion}, {10, frame_not_available(5)}, {-3, frame_not_available(5)},
    };
    for (const auto& [code, frame] : cases) {
        SCOPED_TRACE(code);
        reset();
        srv().register_procedure("getutq", [code = code](central::Request& r) {
            r.status = code;
            return true;
        });
        conectar();
        EXPECT_EQ(srv().procs(), QStringList({"getcox", "getutq"}));
        EXPECT_EQ(box(), frame);
        EXPECT_EQ(dlg().boxes[0].style, 48);
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(ta->sys->ended);
        EXPECT_TRUE(saved("cox_user").isNull());
    }
}

TEST_F(Conectar, SuspendedOutletLogsInAndSaysSo)
{
    srv().model.outlet.status = 1;
    bool visible_at_box = false;
    dlg().on_box = [&](const fake::Box&) { visible_at_box = w->isVisible(); };
    conectar();
    EXPECT_EQ(box(), "Tovaren suspendida." + k10);
    EXPECT_EQ(dlg().boxes[0].style, 48);
    EXPECT_TRUE(visible_at_box);  // before the window closes
    EXPECT_EQ(app()->ses_val.cod_caj, "01");
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(ta->sys->ended);
    EXPECT_EQ(captions.size(), 1);
}

TEST_F(Conectar, AcceptedWithoutCajaEndsTheProgram)
{
    srv().model.getutq_override = 0;  // the outlet's rows, no IDUSER_VEN for an unknown user
    conectar("NADIE");
    EXPECT_TRUE(ta->sys->ended);
    EXPECT_TRUE(captions.isEmpty());
    EXPECT_EQ(saved("cox_user"), "NADIE");
}

TEST_F(Conectar, LoginValuesFromTheRows)
{
    auto& o = srv().model.outlet;
    o.values.remove("NOMBRE_VEN");
    o.values["GETLOT_MNU"] = " X,Y";
    o.values["TKMENS_001"] = "  PIE  ";
    o.values["SYSTEM_MOD"] = "cien";
    o.values["JUGADA_SYS"] = "0";
    o.values["PORIMP_VEN"] = "2.5";
    o.values["ZORDER_SYS"] = "1";
    o.values["FECHAX_SYS"] = "2026-12-24 00:00:00";
    o.extra_rows = {{" CODIGO_VEN ", "777"}, {"codigo_ven", "888"}, {"NOMBRE_VEN", "PRIMERO"}, {"NOMBRE_VEN", "SEGUNDO"}};
    conectar();
    const SesVal& s = app()->ses_val;
    EXPECT_EQ(s.cod_ven, "777");
    EXPECT_EQ(s.nom_ven, "SEGUNDO");
    EXPECT_EQ(s.lot_mnu, " X,Y");
    EXPECT_EQ(s.tik_men1, "PIE");
    EXPECT_EQ(s.mod_sys, 100000000.0);
    EXPECT_EQ(s.jug_sys, 100000000.0);
    EXPECT_EQ(s.por_imp, 2);
    EXPECT_EQ(s.ord_lot, 1);
    EXPECT_EQ(s.fec_sys, QDate(2026, 12, 24));

    // A second login of the run: the order stays, missing reset values are emptied.
    o.values["ZORDER_SYS"] = "0";
    o.values.remove("PORIMP_VEN");
    o.values.remove("TKMENS_003");
    app()->ses_val.cod_caj = "**";
    conectar();
    EXPECT_EQ(s.ord_lot, 1);
    EXPECT_EQ(s.por_imp, 0);
    EXPECT_EQ(s.tik_men3, "");
}

TEST_F(Conectar, DeniedCodesHideMenuItems)
{
    QHash<QString, QAction*> items;
    for (const char* name : {"mov_prm", "pro_anu", "rep_caj", "userx", "sorteo"})
        app()->mnu[name] = items[name] = new QAction(name);
    items["mov_prm"]->setVisible(false);  // hidden for the user before
    srv().model.outlet.users["ADMIN"].denied = {" 404 ", "302", "999", ""};
    conectar("ADMIN");
    EXPECT_TRUE(items["mov_prm"]->isVisible());
    EXPECT_FALSE(items["rep_caj"]->isVisible());
    EXPECT_FALSE(items["pro_anu"]->isVisible());
    EXPECT_TRUE(items["userx"]->isVisible());
    EXPECT_EQ(app()->ses_val.flg_anu, 0);
    EXPECT_TRUE(items["sorteo"]->isEnabled());  // caja 00
    qDeleteAll(items);
}

TEST_F(Conectar, SymbolTableFollowsTheRows)
{
    app()->tab_sim = TabSim{{9, 9, 9}, {"a", "b", "c"}, {"A", "B", "C"}};
    srv().model.symbols = {{2, "01", "Uno"}, {3, "02", "Dos"}};
    conectar();
    EXPECT_EQ(app()->tab_sim.sim_cod, QList<int>({2, 3}));
    EXPECT_EQ(app()->tab_sim.sim_num, QStringList({"01", "02"}));
    EXPECT_EQ(app()->tab_sim.sim_nom, QStringList({"Uno", "Dos"}));

    // No rows: the table stays.
    srv().model.symbols.clear();
    app()->ses_val.cod_caj = "**";
    conectar();
    EXPECT_EQ(app()->tab_sim.sim_num, QStringList({"01", "02"}));
}

TEST_F(Conectar, RecentDatabaseCodesRotate)
{
    struct Case {
        QStringList before;
        QString code;
        QStringList after;
    };
    const Case cases[] = {
        {{"A1", "B2", "C3"}, "B2", {"B2", "A1", "C3"}},
        {{"A1", "B2", "C3"}, "D4", {"D4", "A1", "B2"}},
        {{"A1", "B2", "C3"}, "A1", {"A1", "B2", "C3"}},
        {{"", "", ""}, "D4", {"D4", "", ""}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.code.toStdString());
        reset();
        auto& cfg = app()->cfg_reg;
        cfg.cox_dtb1 = k.before[0];
        cfg.cox_dtb2 = k.before[1];
        cfg.cox_dtb3 = k.before[2];
        srv().model.cox[k.code] = central::Cox{};
        conectar("CAJERO", "CLAVE", k.code);
        EXPECT_EQ(QStringList({saved("cox_dtb1"), saved("cox_dtb2"), saved("cox_dtb3")}), k.after);
    }
    // The next showing offers them.
    open();
    EXPECT_EQ(c<QComboBox>("tx_dtbs")->count(), 1);
    EXPECT_EQ(text("tx_dtbs"), "D4");
}
