// A session as main() runs it, over the wire to the central-server double: the start with
// its login, the keep-alive reconnects, the close; one golden transcript (tests/golden/e2e/).
#include "tests/e2e/wire_app.h"
#include "core/shell/timers.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

using namespace e2e;

TEST(WireSession, StartKeepAliveAndClose)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QStringList t;
    auto step = [&](const QString& name) {
        QStringList tries = a.open_tries();
        tries.replaceInStrings(a.target(), "ENDPOINT");
        t << name << "  main window " + QString(a.w->isVisible() ? "shown" : "hidden") +
                         (a.w->windowState() & Qt::WindowMaximized ? " maximised" : "") + ", \"" + a.w->windowTitle() +
                         "\", timer " + (a.w->timers->isActive() ? "on" : "off")
          << QString("  login window %1, flag %2, opens %3 (%4) into %5, pointers %6, boxes [%7], program %8")
                 .arg(a.app->is_loaded("conexion") ? "loaded" : "gone")
                 .arg(a.app->flg_nocox)
                 .arg(a.opens())
                 .arg(tries.join(' '), a.last_open().database, numbers(a.dlg->pointers), boxes_text(*a.dlg))
                 .arg(a.sys->ended ? "ended" : "runs")
          << "  server saw " + a.procs().join(' ');
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
