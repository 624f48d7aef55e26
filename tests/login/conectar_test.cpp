// "Conectar": finding the server, getcox, getutq and getsim, and what the login leaves. The
// answers of getutq are run over the wire (tests/e2e/login_test.cpp).
#include "tests/login/login_fixture.h"

#include <QAction>
#include <QRegularExpression>

using Conectar = LoginTest;

// The servers tried, in order: every one listed refuses but the last.
TEST_F(Conectar, ServerTriesInOrder)
{
    struct Reply { int status = 0; QByteArray body; };  // status 0: the host is unreachable
    // ipx: the discovery hosts' replies; asked: how many were asked.
    struct Case { const char* name; QString serv, port; Reply ipx[2]; int asked; QStringList tries; };
    const QString P0 = proxy(0), P1 = proxy(1), A = "198.51.100.10:11433", B = "198.51.100.11:1500";
    const Reply second{200, "proxy1=198.51.100.30;"};
    const Case cases[] = {
        {"no saved server", "", "", {}, 2, {P0}},
        {"saved server", "198.51.100.10", "1433", {}, 0, {"198.51.100.10:1433"}},
        {"saved part 0", "192.168.0.10", "1433", {}, 2, {P0}},
        {"saved port empty", "198.51.100.10", "", {}, 2, {P0}},
        {"saved port of 6", "198.51.100.10", "123456", {}, 2, {P0}},
        {"saved port letters", "198.51.100.10", "abc", {}, 2, {P0}},  // passes the check, fails at the open
        {"both entries", "", "", {{200, "proxy0=198.51.100.10;proxy1=198.51.100.11,1500;"}}, 1, {A, B, P0}},
        {"keys out of order", "", "", {{200, "proxy1=198.51.100.11,1500;proxy0=198.51.100.10;"}}, 1, {A, B, P0}},
        {"other text, blanks", "", "", {{200, "x=1\nproxy0= 198.51.100.10 ;\n"}}, 1, {A, P0}},
        {"no ';'", "", "", {{200, "proxy0=198.51.100.10"}}, 1, {P0, P1}},
        {"empty entry", "", "", {{200, "proxy0=;proxy1=198.51.100.11,1500;"}}, 1, {B, P0}},
        {"empty port", "", "", {{200, "proxy0=198.51.100.10,;"}}, 1, {P0}},
        {"third part", "", "", {{200, "proxy0=198.51.100.10,1500,7;"}}, 1, {"198.51.100.10:1500", P0}},
        {"key in capitals", "", "", {{200, "PROXY0=198.51.100.10;"}}, 1, {P0}},
        {"same address twice", "", "", {{200, "proxy0=198.51.100.10;proxy1=198.51.100.10;"}}, 1, {A, A, P0}},
        {"first empty", "", "", {{200, ""}, second}, 2, {"198.51.100.30:11433"}},
        {"first status 500", "", "", {{500, "proxy0=198.51.100.10;"}, second}, 2, {"198.51.100.30:11433"}},
        {"first unreachable", "", "", {{}, second}, 2, {"198.51.100.30:11433"}},
        {"first without entries", "", "", {{200, "nada"}, second}, 1, {P0}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        reset();
        app()->cfg_reg.cox_serv = k.serv;
        app()->cfg_reg.cox_port = k.port;
        QStringList urls;
        for (int i : {0, 1}) {
            urls << QStringLiteral("https://%1/getipx").arg(QLatin1String(deploy::discovery_hosts[i]));
            if (k.ipx[i].status) {
                auto& r = ta->http->replies[urls[i]];
                r.ok = true;
                r.status = k.ipx[i].status;
                r.body = k.ipx[i].body;
            }
        }
        for (const QString& hp : k.tries.mid(0, k.tries.size() - 1))
            srv().refuse(hp);
        conectar();

        EXPECT_EQ(srv().open_tries, k.tries);
        QStringList asked;
        for (const auto& call : ta->http->calls)
            asked << call.url;
        EXPECT_EQ(asked, urls.mid(0, k.asked));
        const db::ConnectProps& open = srv().last_open;  // the fixed login, no database yet
        EXPECT_EQ(QStringList({open.user, open.password, open.app_name, open.database}),
                  QStringList({"xuser", deploy::db_password, "3.8.2.4", ""}));
        EXPECT_TRUE(QRegularExpression("^[0-9a-f]{24}$").match(open.workstation).hasMatch());
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
        for (db::Command* cmd : app()->commands())
            EXPECT_EQ(cmd->active_connection, &app()->cox_bd);
        EXPECT_EQ(dlg().pointers.first(), plat::ptr_hourglass);
        EXPECT_EQ(dlg().pointer(), plat::ptr_default);
    }
}

TEST_F(Conectar, NoServerAnswersKeepsTheWindowOpen)
{
    app()->cfg_reg.cox_serv = "198.51.100.10";
    app()->cfg_reg.cox_port = "1433";
    const QStringList all{"198.51.100.10:1433", proxy(0), proxy(1)};
    for (const QString& hp : all)
        srv().refuse(hp);
    conectar();
    EXPECT_EQ(srv().open_tries, all);
    expect_box(dlg(), kNoConexion, 16);
    EXPECT_EQ(app()->flg_nocox, 1);
    EXPECT_EQ(captions, QStringList{"**/1"});
    EXPECT_TRUE(srv().log.isEmpty());
    EXPECT_EQ(text("tx_clav"), "CLAVE");  // the window stays with its fields

    // Once a server answers, the next press logs in and clears the flag.
    srv().allow(proxy(1));
    click(w->b_conectar);
    EXPECT_EQ(app()->ses_val.cod_caj, "01");
    EXPECT_EQ(app()->flg_nocox, 0);
}

TEST_F(Conectar, EmptyFieldsAreRefusedBeforeAnyServer)
{
    const struct { QString user, clav, dtbs; const char* focus; } cases[] = {  // focus: the last empty field
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
        expect_box(dlg(), kDatosNoValidos, 48);
        EXPECT_EQ(w->focusWidget(), c(k.focus));
        EXPECT_EQ(app()->ses_val.cod_caj, "**");
        EXPECT_FALSE(app()->is_loaded("movtik"));  // unloaded even so
    }
    EXPECT_TRUE(dlg().pointers.isEmpty());
    EXPECT_TRUE(ta->http->calls.isEmpty());
    EXPECT_TRUE(srv().open_tries.isEmpty());
}

// Every way the click ends before getutq answers: getcox ending or restarting the program,
// and the lost-connection path, after which the window stays for another try.
TEST_F(Conectar, StopsBeforeTheLogin)
{
    enum End { stays, ends, restarts };
    // saves: only a failed getsim comes after the settings were saved.
    struct Case { const char* name; std::function<void(central::Server&)> arrange; QString text; int style; End end;
                  const char* last_call; bool saves; };
    auto getcox = [](int code) { return [code](central::Server& s) { s.model.cox["DEMO"].status = code; }; };
    auto fail = [](const char* proc) { return [proc](central::Server& s) { s.fail_next(1, proc); }; };
    const Case cases[] = {
        {"getcox 1", getcox(1), kDatosNoValidos, 48, restarts, "getcox", false},
        {"getcox 2", getcox(2), kFrameVersion, 48, ends, "getcox", false},
        {"getcox 3", getcox(3), kFrameConexion, 48, ends, "getcox", false},
        {"getcox 4", getcox(4), frame_not_available(8), 48, ends, "getcox", false},
        {"getcox -1", getcox(-1), frame_not_available(8), 48, ends, "getcox", false},
        {"getcox without status", [](central::Server& s) { s.no_status("getcox"); }, frame_not_available(8), 48, ends,
         "getcox", false},
        {"unknown code, no rows", [](central::Server& s) { s.model.cox.remove("DEMO"); s.no_recordset("getcox"); },
         kFrameConexion, 48, ends, "getcox", false},
        {"getcox 5: getutq fails", getcox(5), kNoConexion, 16, stays, "getcox", false},
        {"getcox fails", fail("getcox"), kNoConexion, 16, stays, "getcox", false},
        {"getutq fails", fail("getutq"), kNoConexion, 16, stays, "getutq", false},
        {"getsim fails", fail("getsim"), kNoConexion, 16, stays, "getsim", true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        reset();
        k.arrange(srv());
        bool visible_at_box = false;
        dlg().on_box = [&](const fake::Box&) { visible_at_box = w->isVisible(); };
        conectar();
        EXPECT_EQ(srv().procs().last(), k.last_call);
        expect_box(dlg(), k.text, k.style);
        EXPECT_EQ(visible_at_box, k.end == stays);
        EXPECT_EQ(w->isVisible(), k.end == stays);
        EXPECT_EQ(ta->sys->ended, k.end != stays);
        EXPECT_EQ(ta->sys->restarted, k.end == restarts);
        EXPECT_TRUE(k.end != stays || app()->flg_nocox == 1);
        EXPECT_EQ(app()->ses_val.cod_caj, "**");
        EXPECT_EQ(app()->cox_bd.state(), db::adStateClosed);
        EXPECT_TRUE(app()->cmd_sp.params().isEmpty());
        EXPECT_EQ(saved("cox_user").isNull(), !k.saves);
    }
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
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
    }
}

// The open connection stays on its server and switches to the database getcox names (none
// named: nothing is switched); the named server and database serve the next reconnect. A
// database the server will not switch to fails the try: no call runs in another database.
TEST_F(Conectar, GetcoxDataServeTheNextReconnect)
{
    using Arrange = std::function<void(central::Cox&, central::Server&)>;
    const Arrange null_databs = [](central::Cox&, central::Server& s) {
        s.register_procedure("getcox", [](central::Request& r) {
            r.rows({"name", "value"}).rows = {{"server_ip", "127.1.1.1"}, {"server_port", "11433"}, {"databs", {}}};
            return true;
        });
    };
    const struct { const char* name; Arrange arrange; QString databs; QString target = "127.1.1.1:11433";
                   bool logs_in = true; } cases[] = {
        {"named; names compared exactly, the later row wins", [](central::Cox& c, central::Server&) {
             c.server_port = "1500";
             c.omit = {"server_ip"};
             c.extra = {{"Server_IP", "198.51.100.99"}, {"server_ip", "198.51.100.50"}, {"databs", "segunda"}};
         }, "segunda", "198.51.100.50:1500"},
        {"no database row", [](central::Cox& c, central::Server&) { c.omit = {"databs"}; }, ""},
        {"null database", null_databs, ""},
        {"database refused", [](central::Cox&, central::Server& s) { s.refuse_database("tovaren"); }, "tovaren",
         "127.1.1.1:11433", false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        reset();
        k.arrange(srv().model.cox["DEMO"], srv());
        QString database = "none";  // of the open connection when getsim ran
        srv().register_procedure("getsim", [&](central::Request& r) { database = r.database; return true; });
        conectar();
        EXPECT_EQ(srv().open_tries, QStringList{proxy(0)});  // the open connection stays where it is
        EXPECT_EQ(srv().uses, k.databs.isEmpty() ? QStringList() : QStringList{k.databs});
        EXPECT_EQ(app()->dat_cox.srv_databs, k.databs);
        if (!k.logs_in) {
            expect_box(dlg(), kNoConexion, 16);
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(app()->flg_nocox, 1);
            EXPECT_EQ(app()->cox_bd.state(), db::adStateClosed);
            EXPECT_FALSE(cox_reconnect(*app()));  // nor does a reconnect land anywhere else
            EXPECT_EQ(srv().procs(), QStringList{"getcox"});
            continue;
        }
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
        EXPECT_EQ(database, k.databs);
        EXPECT_EQ(saved("cox_serv") + ":" + saved("cox_port"), k.target);
        ASSERT_TRUE(cox_reconnect(*app()));
        EXPECT_EQ(srv().open_tries.last(), k.target);
        EXPECT_EQ(srv().last_open.database, k.databs);
    }
}

TEST_F(Conectar, SettingsSavedWithoutThePassword)
{
    auto& cfg = app()->cfg_reg;
    cfg.cox_dtb1 = "A1";
    cfg.cox_dtb2 = "B2";
    cfg.cox_dtb3 = "C3";
    srv().model.cox["B2"] = central::Cox{};
    conectar("CAJERO", "CLAVE", "B2");
    EXPECT_EQ(QStringList({saved("cox_user"), saved("cox_serv"), saved("cox_port"), saved("cox_dtbs"),
                           saved("cox_dtb1"), saved("cox_dtb2"), saved("cox_dtb3")}),
              QStringList({"CAJERO", "127.1.1.1", "11433", "B2", "B2", "A1", "C3"}));
    for (const QString& value : ta->reg->values)
        EXPECT_NE(value, "CLAVE");
}

TEST_F(Conectar, LoginValuesPermissionsAndSymbolsFromTheRows)
{
    QAction mov_prm, rep_caj, rep_itx;
    app()->mnu["mov_prm"] = &mov_prm;
    app()->mnu["rep_caj"] = &rep_caj;
    app()->mnu["rep_itx"] = &rep_itx;
    mov_prm.setVisible(false);  // as the user before left them
    rep_itx.setEnabled(false);
    auto& o = srv().model.outlet;
    o.users["CAJERO"].denied = {" 404 "};
    o.values.remove("NOMBRE_VEN");
    o.values["GETLOT_MNU"] = " X,Y";
    o.values["TKMENS_001"] = "  PIE  ";
    o.values["PORIMP_VEN"] = "2.5";
    o.values["ZORDER_SYS"] = "1";
    o.values["FECHAX_SYS"] = "2026-12-24 00:00:00";
    o.extra_rows = {{" CODIGO_VEN ", "777"}, {"codigo_ven", "888"}, {"NOMBRE_VEN", "PRIMERO"}, {"NOMBRE_VEN", "SEGUNDO"}};
    app()->tab_sim = TabSim{{9, 9, 9}, {"a", "b", "c"}, {"A", "B", "C"}};
    srv().model.symbols = {{2, "01", "Uno"}, {3, "02", "Dos"}};
    conectar();
    const TabSim& t = app()->tab_sim;
    EXPECT_EQ(t.sim_cod, QList<int>({2, 3}));
    EXPECT_EQ(t.sim_num + t.sim_nom, QStringList({"01", "02", "Uno", "Dos"}));
    const SesVal& s = app()->ses_val;
    EXPECT_EQ(QStringList({s.cod_ven, s.nom_ven, s.lot_mnu, s.tik_men1}), QStringList({"777", "SEGUNDO", " X,Y", "PIE"}));
    EXPECT_EQ(s.por_imp, 2);
    EXPECT_EQ(s.ord_lot, 1);
    EXPECT_EQ(s.fec_sys, QDate(2026, 12, 24));
    EXPECT_TRUE(mov_prm.isVisible());
    EXPECT_FALSE(rep_caj.isVisible());
    EXPECT_TRUE(rep_itx.isEnabled());  // decided by por_imp

    // A second login of the run: the order stays, missing reset values are emptied, the
    // symbol table stays without rows.
    o.values["ZORDER_SYS"] = "0";
    o.values.remove("PORIMP_VEN");
    o.values.remove("TKMENS_003");
    srv().model.symbols.clear();
    app()->ses_val.cod_caj = "**";
    conectar();
    EXPECT_EQ(t.sim_num, QStringList({"01", "02"}));
    EXPECT_EQ(s.ord_lot, 1);
    EXPECT_EQ(s.por_imp, 0);
    EXPECT_EQ(s.tik_men3, "");
    EXPECT_FALSE(rep_itx.isEnabled());
}
