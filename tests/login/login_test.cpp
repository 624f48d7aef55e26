// The login window: its layout, pre-fill, focus and key filters; "Conectar": finding the
// server, getcox, getutq and getsim, and what the login leaves, with the login's pure pieces
// (the address check, the conversions of the login values, the recent database codes). Every
// way a press ends is one golden transcript (tests/golden/login/); the answers of getutq are
// run over the wire (tests/e2e/).
#include "core/login/discovery.h"
#include "core/login/login_values.h"
#include "core/update/windows.h"
#include "tests/login/login_fixture.h"

#include <QAction>
#include <QKeyEvent>
#include <QRegularExpression>

using Login = LoginTest;

TEST_F(Login, FiltersItsKeysAndOpensFilledFromTheLocalSettings)
{
    open();
    EXPECT_EQ(w->focusWidget(), c("tx_user"));  // first start: nothing remembered
    EXPECT_EQ(c<QComboBox>("tx_dtbs")->count(), 0);

    // Key filters. typed: shown while typing; left: once the field is left.
    const struct { const char* field; QString keys, typed, left; } cases[] = {
        {"tx_user", "ab c", "AB C", "ABC"},
        {"tx_clav", "abcdefghijk", "ABCDEFGHIJ", "ABCDEFGHIJ"},  // 10 at most
        {"tx_dtbs", "ab-c $9.", "ABC$9", "ABC$9"},
        {"tx_dtbs", "abcdefghijklmnopqrst", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},  // 15 at most
    };
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    for (const auto& k : cases) {
        SCOPED_TRACE(k.field + (": " + k.keys).toStdString());
        QWidget* field = c(k.field);
        field->setFocus();
        if (auto* cb = qobject_cast<QComboBox*>(field))
            cb->setEditText(QString());
        QTest::keyClicks(field, k.keys);
        EXPECT_EQ(text(k.field), k.typed);
        c("b_actua")->setFocus();
        EXPECT_EQ(text(k.field), k.left);
    }
    QTest::keyClick(c("tx_dtbs"), Qt::Key_Backspace);
    EXPECT_EQ(text("tx_dtbs"), "ABCDEFGHIJKLMN");
    EXPECT_EQ(c<QLineEdit>("tx_clav")->displayText(), "**********");

    // Keys outside ASCII: upper-cased in the user name, refused in the database code, as
    // are control characters (keyboard copy and paste).
    QKeyEvent enye(QEvent::KeyPress, Qt::Key_Ntilde, Qt::NoModifier, QString(QChar(0xF1)));
    QCoreApplication::sendEvent(c("tx_user"), &enye);
    EXPECT_EQ(text("tx_user"), "ABC" + QString(QChar(0xD1)));
    for (int code : {0xF1, 22, 3})
        EXPECT_EQ(conexion::tx_dtbs_KeyPress(code), 0) << code;

    // The focus selects the whole text, also when it comes by the mouse.
    c("tx_dtbs")->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(c<QComboBox>("tx_dtbs")->lineEdit()->selectedText(), "ABCDEFGHIJKLMN");

    // The next showing, filled from the local settings.
    auto& cfg = app()->cfg_reg;
    cfg.cox_user = "  CAJERO ";
    cfg.cox_dtbs = " DEMO ";
    cfg.cox_dtb1 = "ABC";
    cfg.cox_dtb2 = "   ";
    cfg.cox_dtb3 = "XYZXYZXYZXYZXYZXYZ";  // 15 characters at most
    w->close();
    open();
    EXPECT_EQ(w->windowTitle(), "Tovaren v3.8.2.4 - Conexión");
    EXPECT_EQ(QStringList({text("tx_user"), text("tx_dtbs"), w->tx_dtbs->itemText(0), w->tx_dtbs->itemText(1),
                           QString::number(w->tx_dtbs->count())}),
              QStringList({"CAJERO", "DEMO", "ABC", "XYZXYZXYZXYZXYZ", "2"}));
    EXPECT_EQ(w->focusWidget(), w->tx_clav);  // a remembered user: the password is next

    EXPECT_EQ(conexion::place_for(9600), QPoint(147, 93));
    EXPECT_EQ(conexion::place_for(9615), QPoint(220, 147));
    EXPECT_EQ(w->pos(), conexion::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
}

// The servers tried, in order: every one listed refuses but the last.
TEST_F(Login, ServerTriesInOrder)
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
            if (k.ipx[i].status)
                ta->http->replies[urls[i]] = {true, k.ipx[i].status, k.ipx[i].body, {}, {}, 0};
        }
        for (const QString& hp : k.tries.mid(0, k.tries.size() - 1))
            srv().refuse(hp);
        conectar();
        EXPECT_EQ(srv().open_tries, k.tries);
        EXPECT_EQ(each(ta->http->calls, [](const fake::HttpCall& h) { return h.url; }, " "), urls.mid(0, k.asked).join(' '));
        EXPECT_EQ(app()->ses_val.cod_caj, "01");
    }
}

// Every way a press ends, from the same start: a loaded sale window and a cashier logged in
// before (each "Conectar" unloads the one and logs the other out first). Closing the window
// leaves nothing shown, asked or sent, resets the pointer, and ends the program only while
// nobody is logged in; the next showing loads the window afresh. Each transcript shows the
// servers tried and the fixed login (user, password, application, no database yet, a
// workstation id of 24 hex digits), the calls, the messages (and whether the window was up
// behind them), what stays of the windows and the program, the saved settings and where the
// next reconnect goes.
TEST_F(Login, EveryWayAPressEnds)
{
    using Arrange = std::function<void(LoginTest&)>;
    auto getcox = [](int code) -> Arrange { return [code](LoginTest& f) { f.srv().model.cox["DEMO"].status = code; }; };
    auto fail = [](const char* proc) -> Arrange { return [proc](LoginTest& f) { f.srv().fail_next(1, proc); }; };
    auto version = [](const char* v) -> Arrange { return [v](LoginTest& f) { f.srv().model.cox["DEMO"].app_numver = v; }; };
    auto cox = [](std::function<void(central::Cox&)> change) -> Arrange {
        return [change](LoginTest& f) { change(f.srv().model.cox["DEMO"]); };
    };
    const Arrange no_server = [](LoginTest& f) { f.srv().refuse(proxy(0)); f.srv().refuse(proxy(1)); };
    const Arrange first_showing = [](LoginTest& f) { f.app()->ses_val.cod_caj = "**"; };
    auto closing = [](std::function<void(conexion*)> close) -> Arrange {
        return [close](LoginTest& f) {
            f.dlg().set_pointer(plat::ptr_hourglass);
            close(f.open());
        };
    };
    const auto esc = [](conexion* w) { QTest::keyClick(w->tx_user, Qt::Key_Escape); };
    // "Actualizar" answered with answer: the update window, when shown, runs by itself (here
    // to a host that does not answer).
    auto actualizar = [](int answer) -> Arrange {
        return [answer](LoginTest& f) {
            register_update_windows(*f.app());
            f.dlg().answers = {answer};
            f.click(f.open()->b_actua);
        };
    };
    // act: instead of typing the fields and pressing "Conectar".
    const struct { const char* name; Arrange arrange; Arrange act = {}; QString user = "CAJERO", clav = "CLAVE", dtbs = "DEMO"; }
        cases[] = {
        {"logs in", {}},
        // Empty fields: refused before any server, the focus on the last empty one.
        {"fields empty", {}, {}, "", "", ""},
        {"user empty", {}, {}, "", "CLAVE", "DEMO"},
        {"user and password empty", {}, {}, "", "", "DEMO"},
        {"database code blank", {}, {}, "CAJERO", "CLAVE", " "},
        {"no server answers", no_server},
        {"no server answers, then one does: the next press logs in", no_server, [](LoginTest& f) {
             f.conectar();
             f.srv().allow(proxy(1));
             f.click(f.w->b_conectar);
         }},
        {"getcox 1: restarts", getcox(1)}, {"getcox 2", getcox(2)}, {"getcox 3", getcox(3)}, {"getcox 4", getcox(4)},
        {"getcox -1", getcox(-1)},
        {"getcox without status", [](LoginTest& f) { f.srv().no_status("getcox"); }},
        {"unknown code, no rows", [](LoginTest& f) { f.srv().model.cox.remove("DEMO"); f.srv().no_recordset("getcox"); }},
        {"getcox 5: getutq fails on the closed connection", getcox(5)},
        {"getcox fails", fail("getcox")}, {"getutq fails", fail("getutq")},
        {"getsim fails: after the settings were saved", fail("getsim")},
        // A newer program marks the loader for an update.
        {"version 3.8.2.5", version("3.8.2.5")}, {"version 3.10.0.0 (compared as text)", version("3.10.0.0")},
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
        {"recent codes rotate", [](LoginTest& f) { f.srv().model.cox["B2"] = central::Cox{}; }, {}, "CAJERO", "CLAVE", "B2"},
        {"Esc from the menu", {}, closing(esc)},
        {"Esc at the first showing", first_showing, closing(esc)},
        {"Salir at the first showing", first_showing, closing([](conexion* w) { QTest::mouseClick(w->b_cancelar, Qt::LeftButton); })},
        {"close box at the first showing", first_showing, closing([](conexion* w) { w->close(); })},
        // "Actualizar": confirmed, the loader is marked and the update shown; the window stays.
        {"Actualizar, Cancel", {}, actualizar(plat::ans_cancel)},
        {"Actualizar, OK", {}, actualizar(plat::ans_ok)},
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
        k.act ? k.act(*this) : conectar(k.user, k.clav, k.dtbs);
        const db::ConnectProps& o = srv().last_open;
        const bool hex_id = QRegularExpression("^[0-9a-f]{24}$").match(o.workstation).hasMatch();
        t << k.name << "  tried " + srv().open_tries.join(' ') + ", asked " + QString::number(ta->http->calls.size()) +
                           ", switched to [" + typed(QVariantList(srv().uses.begin(), srv().uses.end())) + "], login " +
                           QStringList({o.user, o.password, o.app_name, o.database, hex_id ? "id" : o.workstation}).join('/')
          << login_state(*ta, srv().log, w, behind, k.clav);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        t << QString("  sale window %1, login window %2, captions [%3], database '%4'")
                 .arg(app()->is_loaded("movtik") ? "loaded" : "unloaded", app()->is_loaded("conexion") ? "loaded" : "unloaded",
                      captions.join(' '), app()->dat_cox.srv_databs);
        if (cox_reconnect(*app()))
            t << "  reconnects to " + srv().open_tries.last() + " '" + srv().last_open.database + "'";
    }
    expect_golden(t, "login/conectar.txt");
}

TEST_F(Login, LoginValuesPermissionsAndSymbolsFromTheRows)
{
    QAction mov_prm, rep_caj, rep_itx;
    for (auto [name, action] : {std::pair{"mov_prm", &mov_prm}, {"rep_caj", &rep_caj}, {"rep_itx", &rep_itx}})
        app()->mnu[name] = action;
    mov_prm.setVisible(false);  // as the user before left them
    rep_itx.setEnabled(false);
    auto& o = srv().model.outlet;
    o.users["CAJERO"].denied = {" 404 "};
    o.values.remove("NOMBRE_VEN");
    for (const auto& [key, value] : {std::pair{"GETLOT_MNU", " X,Y"}, {"TKMENS_001", "  PIE  "}, {"PORIMP_VEN", "2.5"},
                                     {"ZORDER_SYS", "1"}, {"FECHAX_SYS", "2026-12-24 00:00:00"}})
        o.values[key] = value;
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
