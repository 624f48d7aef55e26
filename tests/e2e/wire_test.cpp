// The program over the wire, through the real driver and the central-server double behind
// its TDS endpoint: every answer of getutq through the login window, and a session as
// main() runs it (the start with its login, the keep-alive reconnects, the close). Both
// are golden transcripts (tests/golden/e2e/).
#include "core/shell/timers.h"
#include "tests/e2e/wire_app.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

using namespace e2e;
using Arrange = std::function<void(central::Server&)>;

TEST(WireLogin, EveryGetutqAnswer)
{
    auto outlet = [](int status) -> Arrange { return [status](central::Server& s) { s.model.outlet.status = status; }; };
    auto answer = [](int code) -> Arrange {  // no rows
        return [code](central::Server& s) {
            s.register_procedure("getutq", [code](central::Request& r) {
                r.status = code;
                return true;
            });
        };
    };
    const Arrange as_is = [](central::Server&) {};
    const struct { const char* name; Arrange arrange; QString user = "CAJERO", clav = "CLAVE"; } outcomes[] = {
        {"0 accepted", as_is},
        {"0 without IDUSER_VEN", [](central::Server& s) { s.model.getutq_override = 0; }, "NADIE"},
        {"1 suspended", outlet(1)},
        {"2 inactive", outlet(2)},
        {"3 wrong password", as_is, "CAJERO", "OTRA"},
        {"4 unknown user", as_is, "NADIE"},
        {"7", answer(7)}, {"8", answer(8)}, {"9", answer(9)}, {"12", answer(12)}, {"-1", answer(-1)},
        // The rows of a cashier, but no return status: no meaning, no login.
        {"no status", [](central::Server& s) { s.no_status("getutq"); }},
    };
    QStringList t;
    for (const auto& o : outcomes) {
        WireApp a;
        ASSERT_TRUE(a.up()) << qPrintable(a.error);
        a.arrange(o.arrange);
        QPointer<conexion> c = a.app->win<conexion>("conexion");
        c->show();
        QStringList behind;
        watch_boxes(a, c, behind);
        a.app->flg_nocox = 1;  // as an earlier try left it

        log_in(c, o.user, o.clav, "DEMO");

        t << o.name << login_state(a, a.log(), c, behind, o.clav).replaceInStrings("cox_port=" + a.port(), "cox_port=PORT")
          << "  main window \"" + a.w->windowTitle() + "\", timer " + (a.w->timers->isActive() ? "on" : "off");
        delete c.data();
    }
    expect_golden(t, "e2e/login.txt");
}

TEST(WireSession, StartKeepAliveAndClose)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QStringList t;
    auto step = [&](const QString& name) {
        const QString seen = a.ep.with_server([&](central::Server& s) {
            return QString("opens %1 (%2) into %3; server saw %4")
                .arg(s.opens).arg(s.open_tries.join(' ').replace(a.target(), "ENDPOINT"), s.last_open.database,
                                  s.procs().join(' '));
        });
        t << name << "  main window " + QString(a.w->isVisible() ? "shown" : "hidden") +
                         (a.w->windowState() & Qt::WindowMaximized ? " maximised" : "") + ", \"" + a.w->windowTitle() +
                         "\", timer " + (a.w->timers->isActive() ? "on" : "off")
          << QString("  login window %1, flag %2, pointers %3, boxes [%4], program %5")
                 .arg(a.app->is_loaded("conexion") ? "loaded" : "gone").arg(a.app->flg_nocox)
                 .arg(numbers(a.dlg->pointers), boxes_text(*a.dlg), a.sys->ended ? "ended" : "runs")
          << "  " + seen;
    };

    // Form_Activate shows the login window modally while the main window is hidden; the
    // cashier finds the saved user and database code, types the password and presses Enter.
    // Should no modal window come, a watchdog closes every one: the test fails, never hangs.
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        auto* c = qobject_cast<conexion*>(QApplication::activeModalWidget());
        ASSERT_TRUE(c) << "no login window";
        t << "login window: user " + c->tx_user->text() + ", database " + c->tx_dtbs->currentText() + ", focus " +
                 c->focusWidget()->objectName() + ", main window " + (a.w->isVisible() ? "shown" : "hidden");
        QTest::keyClicks(c->tx_clav, "clave");
        QTest::keyClick(c->tx_dtbs, Qt::Key_Return);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &guard, [] {
        while (QWidget* m = QApplication::activeModalWidget())
            m->close();
    });
    watchdog.start(30000);
    a.w->Form_Activate();
    EXPECT_TRUE(watchdog.isActive());  // not timed out
    step("first activation: logged in");
    a.w->hide();
    a.w->Form_Activate();
    step("later activations do nothing");
    a.w->show();

    // The server dropped the connection: the tick reopens it silently, and the first
    // connected tick polls the messages; the next tick uses the new connection as it is.
    a.ep.drop_connections();
    timers_Timer(*a.app);
    step("tick after a drop");
    timers_Timer(*a.app);
    step("next tick");

    // Nobody listens: the tick gives up at once; back on the same address, the next one
    // reconnects.
    const int port = a.ep.port();
    a.ep.stop();
    QElapsedTimer clock;
    clock.start();
    timers_Timer(*a.app);
    EXPECT_LT(clock.elapsed(), 5000);
    step("tick with nobody listening");
    ASSERT_TRUE(a.ep.start(kHost, port, &a.error)) << qPrintable(a.error);
    timers_Timer(*a.app);
    step("tick with the server back");
    a.w->close();
    t << QString("closed: connection %1").arg(a.app->cox_bd.state() == db::adStateOpen ? "open" : "closed");
    expect_golden(t, "e2e/session.txt");
}

} // namespace
