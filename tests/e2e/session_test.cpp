// The program's start as main() runs it and its keep-alive, over the wire to the
// central-server double.
#include "tests/e2e/wire_app.h"
#include "core/shell/timers.h"

#include <QElapsedTimer>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

namespace {

using namespace e2e;

// Form_Load and Form_Activate with the login window answered as a cashier would: the saved
// user and database code are there, the password is typed and Enter pressed.
void start_and_log_in(WireApp& a, QStringList* seen = nullptr)
{
    ModalAnswer answer([&](QWidget* m) {
        auto* c = qobject_cast<conexion*>(m);
        ASSERT_TRUE(c) << (m ? qPrintable(m->objectName()) : "no modal window");
        if (seen)
            *seen << c->tx_user->text() << c->tx_dtbs->currentText()
                  << (c->focusWidget() == c->tx_clav ? "focus tx_clav" : "focus elsewhere")
                  << (a.w->isVisible() ? "main shown" : "main hidden");
        QTest::keyClicks(c->tx_clav, "clave");
        QTest::keyClick(c->tx_clav, Qt::Key_Return);
    });
    a.w->Form_Activate();
    EXPECT_TRUE(answer.answered());
    EXPECT_FALSE(answer.timed_out());
}

TEST(WireStart, LoginWindowThenTheMainWindowMaximised)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QStringList seen;
    start_and_log_in(a, &seen);

    EXPECT_EQ(seen, QStringList({"CAJERO", "DEMO", "focus tx_clav", "main hidden"}));
    EXPECT_EQ(a.procs(), QStringList({"getcox", "getutq", "getsim"}));
    const QList<central::Call> log = a.log();
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[1].values.mid(0, 2), QVariantList({"CAJERO", "CLAVE"}));
    EXPECT_EQ(a.open_tries(), QStringList{a.target()});
    EXPECT_TRUE(a.http->calls.isEmpty());
    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_FALSE(a.sys->ended);
    EXPECT_FALSE(a.app->is_loaded("conexion"));

    EXPECT_TRUE(a.w->isVisible());
    EXPECT_TRUE(a.w->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
    EXPECT_EQ(a.w->mdi_area()->background().color(), QColor(64, 64, 0));
    EXPECT_TRUE(a.w->timers->isActive());
    QStringList bar;
    for (QAction* m : a.w->menuBar()->actions())
        if (m->isVisible())
            bar << m->text();
    EXPECT_EQ(bar, QStringList({"Movimientos", "Procesos", "Reportes", "Otros", "Salir"}));
    // A cashier of caja 01 sees the cashier's items only.
    ASSERT_TRUE(a.app->mnu.value("mov_tik"));
    EXPECT_TRUE(a.app->mnu.value("mov_tik")->isVisible());
    EXPECT_TRUE(a.app->mnu.value("pro_pag")->isVisible());

    // What the login saved is what the next start uses.
    EXPECT_EQ(a.saved("cox_serv"), kHost);
    EXPECT_EQ(a.saved("cox_port"), a.port());
    EXPECT_EQ(a.saved("cox_dtb1"), "DEMO");
    a.w->close();
    EXPECT_EQ(a.app->cox_bd.state(), db::adStateClosed);
}

TEST(WireKeepAlive, TickReconnectsAfterTheServerDroppedTheConnection)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    start_and_log_in(a);
    ASSERT_EQ(a.app->ses_val.cod_caj, "01");
    ASSERT_EQ(a.opens(), 1);
    const auto pointers = a.dlg->pointers.size();

    a.ep.drop_connections();
    timers_Timer(*a.app);

    EXPECT_EQ(a.app->flg_nocox, 0);
    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_EQ(a.dlg->pointers.size(), pointers);  // no hourglass either
    EXPECT_EQ(a.opens(), 2);
    EXPECT_EQ(a.open_tries(), QStringList({a.target(), a.target()}));
    EXPECT_EQ(a.last_open().database, "tovaren");  // the database getcox named
    // The probe sent on the dropped connection never arrived; the one after the reopen did,
    // and the first connected tick polls the messages.
    EXPECT_EQ(a.procs(), QStringList({"getcox", "getutq", "getsim", "stacox", "getmen"}));
    EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
    EXPECT_TRUE(a.w->timers->isActive());

    // The next tick uses the new connection as it is.
    timers_Timer(*a.app);
    EXPECT_EQ(a.opens(), 2);
    EXPECT_EQ(a.procs().last(), "stacox");
    EXPECT_EQ(a.app->flg_nocox, 0);
}

TEST(WireKeepAlive, ServerGoneAndBack)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    start_and_log_in(a);
    const int port = a.ep.port();

    // Nobody listens: the tick gives up at once, silently.
    a.ep.stop();
    QElapsedTimer clock;
    clock.start();
    timers_Timer(*a.app);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(a.app->flg_nocox, 1);
    EXPECT_TRUE(a.dlg->boxes.isEmpty()) << qPrintable(a.dlg->texts().join('|'));
    EXPECT_EQ(a.w->windowTitle(), kCaptionSinConexion);
    EXPECT_TRUE(a.w->timers->isActive());

    // Back on the same address: the next tick reconnects.
    QString error;
    ASSERT_TRUE(a.ep.start(kHost, port, &error)) << qPrintable(error);
    const int opens = a.opens();
    timers_Timer(*a.app);
    EXPECT_EQ(a.app->flg_nocox, 0);
    EXPECT_EQ(a.opens(), opens + 1);
    EXPECT_EQ(a.w->windowTitle(), kCaptionCajero);
    EXPECT_TRUE(a.dlg->boxes.isEmpty());
}

} // namespace
