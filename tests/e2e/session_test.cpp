// A session as main() runs it, over the wire to the central-server double: the start with
// its login, the keep-alive reconnects, the close.
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

    // Form_Activate shows the login window modally while the main window is hidden; the
    // cashier finds the saved user and database code, types the password and presses Enter.
    // Should no modal window come, a watchdog closes every one: the test fails, never hangs.
    QObject guard;
    QStringList seen;
    QTimer::singleShot(0, &guard, [&] {
        auto* c = qobject_cast<conexion*>(QApplication::activeModalWidget());
        ASSERT_TRUE(c) << "no login window";
        seen << c->tx_user->text() << c->tx_dtbs->currentText()
             << (c->focusWidget() == c->tx_clav ? "focus tx_clav" : "focus elsewhere")
             << (a.w->isVisible() ? "main shown" : "main hidden");
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
    EXPECT_EQ(seen, QStringList({"CAJERO", "DEMO", "focus tx_clav", "main hidden"}));
    EXPECT_FALSE(a.app->is_loaded("conexion"));
    EXPECT_TRUE(a.w->isVisible());
    EXPECT_TRUE(a.w->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
    EXPECT_TRUE(a.w->timers->isActive());
    ASSERT_EQ(a.opens(), 1);
    a.w->hide();
    a.w->Form_Activate();  // later activations do nothing
    EXPECT_FALSE(a.w->isVisible());
    a.w->show();
    const auto pointers = a.dlg->pointers.size();

    // The server dropped the connection: the tick reopens it silently.
    a.ep.drop_connections();
    timers_Timer(*a.app);
    EXPECT_EQ(a.app->flg_nocox, 0);
    EXPECT_EQ(a.dlg->pointers.size(), pointers);  // no hourglass either
    EXPECT_EQ(a.open_tries(), QStringList({a.target(), a.target()}));
    EXPECT_EQ(a.last_open().database, "tovaren");  // the database getcox named
    // The probe sent on the dropped connection never arrived; the one after the reopen did,
    // and the first connected tick polls the messages.
    EXPECT_EQ(a.procs(), QStringList({"getcox", "getutq", "getsim", "stacox", "getmen"}));
    timers_Timer(*a.app);  // the next tick uses the new connection as it is
    EXPECT_EQ(a.opens(), 2);
    EXPECT_EQ(a.procs().last(), "stacox");

    // Nobody listens: the tick gives up at once; back on the same address, the next one
    // reconnects.
    const int port = a.ep.port();
    a.ep.stop();
    QElapsedTimer clock;
    clock.start();
    timers_Timer(*a.app);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(a.app->flg_nocox, 1);
    EXPECT_EQ(a.w->windowTitle(), kCaptionSinConexion);
    EXPECT_TRUE(a.w->timers->isActive());
    ASSERT_TRUE(a.ep.start(kHost, port, &a.error)) << qPrintable(a.error);
    timers_Timer(*a.app);
    EXPECT_EQ(a.app->flg_nocox, 0);
    EXPECT_EQ(a.opens(), 3);
    EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);

    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_FALSE(a.sys->ended);
    a.w->close();
    EXPECT_EQ(a.app->cox_bd.state(), db::adStateClosed);
}

} // namespace
