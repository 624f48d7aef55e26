// "Conectar": finding the server, getcox, getutq and getsim, and what the login leaves, with
// the login's pure pieces (the address check, the conversions of the login values, the
// recent database codes). Every way a click ends is one golden transcript
// (tests/golden/login/); the answers of getutq are run over the wire (tests/e2e/).
#include "core/login/discovery.h"
#include "core/login/login_values.h"
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
        QStringList urls, asked;
        for (int i : {0, 1}) {
            urls << QStringLiteral("https://%1/getipx").arg(QLatin1String(deploy::discovery_hosts[i]));
            if (k.ipx[i].status)
                ta->http->replies[urls[i]] = {true, k.ipx[i].status, k.ipx[i].body, {}, {}, 0};
        }
        for (const QString& hp : k.tries.mid(0, k.tries.size() - 1))
            srv().refuse(hp);
        conectar();
        EXPECT_EQ(srv().open_tries, k.tries);
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
    }
}

// Every way a click ends, from the same start: a loaded sale window and a cashier logged in
// before (each click unloads the one and logs the other out first). Each transcript shows
// the servers tried, the calls, the messages (and whether the window was up behind them),
// what stays of the window and the program, the saved settings and where the next reconnect
// goes.
TEST_F(Conectar, EveryWayAClickEnds)
{
    using Arrange = std::function<void(LoginTest&)>;
    auto getcox = [](int code) -> Arrange { return [code](LoginTest& f) { f.srv().model.cox["DEMO"].status = code; }; };
    auto fail = [](const char* proc) -> Arrange { return [proc](LoginTest& f) { f.srv().fail_next(1, proc); }; };
    auto version = [](const char* v) -> Arrange { return [v](LoginTest& f) { f.srv().model.cox["DEMO"].app_numver = v; }; };
    auto cox = [](std::function<void(central::Cox&)> change) -> Arrange {
        return [change](LoginTest& f) { change(f.srv().model.cox["DEMO"]); };
    };
    const struct { const char* name; Arrange arrange; QString user = "CAJERO", clav = "CLAVE", dtbs = "DEMO"; } cases[] = {
        {"logs in", {}},
        // Empty fields: refused before any server, the focus on the last empty one.
        {"fields empty", {}, "", "", ""},
        {"user empty", {}, "", "CLAVE", "DEMO"},
        {"user and password empty", {}, "", "", "DEMO"},
        {"database code blank", {}, "CAJERO", "CLAVE", " "},
        {"no server answers", [](LoginTest& f) { f.srv().refuse(proxy(0)); f.srv().refuse(proxy(1)); }},
        {"getcox 1: restarts", getcox(1)}, {"getcox 2", getcox(2)}, {"getcox 3", getcox(3)}, {"getcox 4", getcox(4)},
        {"getcox -1", getcox(-1)},
        {"getcox without status", [](LoginTest& f) { f.srv().no_status("getcox"); }},
        {"unknown code, no rows", [](LoginTest& f) { f.srv().model.cox.remove("DEMO"); f.srv().no_recordset("getcox"); }},
        {"getcox 5: getutq fails on the closed connection", getcox(5)},
        {"getcox fails", fail("getcox")}, {"getutq fails", fail("getutq")},
        {"getsim fails: after the settings were saved", fail("getsim")},
        // A newer program marks the loader for an update.
        {"version 3.8.2.5", version("3.8.2.5")}, {"version 3.10.0.0 (compared as text)", version("3.10.0.0")},
        {"version empty", version("")}, {"version 4", version("4")},
        // The open connection stays on its server and switches to the database getcox names;
        // the named server and database serve the next reconnect.
        {"named server; names compared exactly, the later row wins", cox([](central::Cox& c) {
             c.server_port = "1500";
             c.omit = {"server_ip"};
             c.extra = {{"Server_IP", "198.51.100.99"}, {"server_ip", "198.51.100.50"}, {"databs", "segunda"}};
         })},
        {"no database row: nothing switched", cox([](central::Cox& c) { c.omit = {"databs"}; })},
        {"null database: nothing switched", [](LoginTest& f) {
             f.srv().register_procedure("getcox", [](central::Request& r) {
                 r.rows({"name", "value"}).rows = {{"server_ip", "127.1.1.1"}, {"server_port", "11433"}, {"databs", {}}};
                 return true;
             });
         }},
        {"database refused: the try fails", [](LoginTest& f) { f.srv().refuse_database("tovaren"); }},
        {"recent codes rotate", [](LoginTest& f) { f.srv().model.cox["B2"] = central::Cox{}; }, "CAJERO", "CLAVE", "B2"},
    };
    QStringList t;
    for (const auto& k : cases) {
        reset();
        app()->cfg_reg.cox_dtb1 = "A1";
        app()->cfg_reg.cox_dtb2 = "B2";
        app()->cfg_reg.cox_dtb3 = "C3";
        ta->reg->values["brontex/TOVAREN/version"] = "3.8.2.4";
        app()->register_window("movtik", [](App&) -> QWidget* { return new QWidget; });
        app()->window("movtik");
        app()->ses_val.cod_caj = "01";
        if (k.arrange)
            k.arrange(*this);
        QStringList behind;
        watch_boxes(*ta, w, behind);
        conectar(k.user, k.clav, k.dtbs);
        t << k.name << "  tried " + srv().open_tries.join(' ') + ", asked " + QString::number(ta->http->calls.size()) +
                           ", switched to [" + typed(QVariantList(srv().uses.begin(), srv().uses.end())) + "]"
          << login_state(*ta, srv().log, w, behind, k.clav)
          << QString("  sale window %1, captions [%2], database '%3'")
                 .arg(app()->is_loaded("movtik") ? "loaded" : "unloaded", captions.join(' '), app()->dat_cox.srv_databs);
        if (cox_reconnect(*app()))
            t << "  reconnects to " + srv().open_tries.last() + " '" + srv().last_open.database + "'";
    }
    expect_golden(t, "login/conectar.txt");
}

TEST_F(Conectar, NextPressLogsInOnceAServerAnswers)
{
    for (const QString& hp : {proxy(0), proxy(1)})
        srv().refuse(hp);
    conectar();
    EXPECT_EQ(text("tx_clav"), "CLAVE");  // the window stays with its fields
    srv().allow(proxy(1));
    click(w->b_conectar);
    EXPECT_EQ(app()->ses_val.cod_caj, "01");
    EXPECT_EQ(app()->flg_nocox, 0);
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
    // The values, the symbols, then mov_prm shown, rep_caj shown and rep_itx enabled (decided
    // by por_imp).
    auto values = [&] {
        const SesVal& s = app()->ses_val;
        const TabSim& t = app()->tab_sim;
        return typed({s.cod_ven, s.nom_ven, s.lot_mnu, s.tik_men1, s.tik_men3, s.por_imp, s.ord_lot, s.fec_sys}) + "; " +
               QStringList(t.sim_num + t.sim_nom).join(' ') + " " + numbers(t.sim_cod) +
               QString("; %1 %2 %3").arg(mov_prm.isVisible()).arg(rep_caj.isVisible()).arg(rep_itx.isEnabled());
    };
    conectar();
    EXPECT_EQ(values(), "'777', 'SEGUNDO', ' X,Y', 'PIE', 'CADUCA A LOS 3 DIAS', double 2, int 1, date 2026-12-24; "
                        "01 02 Uno Dos 2-3; 1 0 1");
    // A second login of the run: the order stays, missing reset values are emptied, the
    // symbol table stays without rows.
    o.values["ZORDER_SYS"] = "0";
    o.values.remove("PORIMP_VEN");
    o.values.remove("TKMENS_003");
    srv().model.symbols.clear();
    app()->ses_val.cod_caj = "**";
    conectar();
    EXPECT_EQ(values(), "'777', 'SEGUNDO', ' X,Y', 'PIE', '', double 0, int 1, date 2026-12-24; 01 02 Uno Dos 2-3; 1 0 0");
}

TEST(LoginValues, AddressesConversionsDivisorsAndRecentCodes)
{
    QStringList t;
    for (const char* ip : {"198.51.100.10", "255.255.255.255", "192.168.0.10", "10.1.1.256", "10.1.1", "10.1.1.1.1", "",
                           "host.example", "10.1.1.-1", "10.1..1", "10.1.1.1 "})
        t << QString("ip_valid '%1': %2").arg(ip).arg(ip_valid(ip));
    for (const char* text : {"2.5", "3.5", "32768"})  // halves to even
        t << QString("to_int16 %1: %2").arg(text, to_int16(text) ? QString::number(*to_int16(text)) : "none");
    for (const char* text : {"24/12/2026 08:30:00", "2026-12-24T08:30:00", "2026-13-01"})
        t << QString("to_date %1: %2").arg(text, to_date(text) ? to_date(text)->toString(Qt::ISODate) : "none");
    // A money divisor must be a positive number: anything else keeps the one before (5).
    for (const char* value : {"100", "0", "-100", "cien", "inf", "", " 2.5 "}) {
        SesVal s;
        s.mod_sys = s.jug_sys = 5;
        set_login_value(s, "SYSTEM_MOD", value);
        set_login_value(s, "JUGADA_SYS", value);
        t << QString("SYSTEM_MOD, JUGADA_SYS '%1': %2 %3").arg(value).arg(s.mod_sys).arg(s.jug_sys);
    }
    for (const auto& [recent, code] : {std::pair{"A1 B2 C3", "B2"}, {"A1 B2 C3", "D4"}, {"A1 B2 C3", "A1"},
                                       {"A1 B2 C3", "a1"}, {"  ", "D4"}}) {
        CfgReg cfg;
        cfg.cox_dtb1 = QString(recent).section(' ', 0, 0);
        cfg.cox_dtb2 = QString(recent).section(' ', 1, 1);
        cfg.cox_dtb3 = QString(recent).section(' ', 2, 2);
        cfg.cox_dtbs = code;
        rotate_recent(cfg);
        t << QString("recent '%1', login with %2: '%3 %4 %5'").arg(recent, code, cfg.cox_dtb1, cfg.cox_dtb2, cfg.cox_dtb3);
    }
    expect_golden(t, "login/values.txt");
}
