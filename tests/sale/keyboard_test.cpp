// A whole sale without the mouse, as scripts/run sells it over the TDS endpoint: the
// program starts, the cashier logs in, opens the sale window with F5, ticks lotteries,
// types plays (one sold out, a serie, an amount picked from the presets, an animal) and
// prints with Esc; the double holds the committed ticket with the plays and total the
// window shows, and the printed ticket matches its golden file.
#include "tests/e2e/wire_app.h"
#include "tests/sale/sale_fixture.h"

namespace {

using namespace e2e;

TEST(Keyboard, LoginToPrintedTicket)
{
    WireApp a;
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    const qint64 first = a.ep.with_server([](central::Server& s) { return s.model.next_numtik; });
    // The login window comes modally at the first activation; a watchdog closes whatever
    // modal window stays, so that a failure never hangs.
    QObject guard;
    QTimer::singleShot(0, &guard, [] { type_keys("CAJERO<tab>CLAVE<tab>DEMO<enter>"); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &guard, [] {
        while (QWidget* m = QApplication::activeModalWidget())
            m->close();
    });
    watchdog.start(30000);
    a.w->Form_Activate();
    ASSERT_EQ(a.w->windowTitle(), kCaptionCajero);
    QApplication::setActiveWindow(a.w.get());

    // The sale window opens on the lottery list (no lottery is ticked yet), by draw time:
    // LOTTO ACTIVO, LA GRANJITA, RULETA ACTIVA, TRIPLE CARACAS, ZODIACAL, CACHO, TRIPLE ZULIA...
    type_keys("<f5>");
    auto* w = a.app->win<movtik_plays>("movtik");
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->lt_lote->count(), 12);
    EXPECT_EQ(focus_widget(), w->lt_lote);
    // Triple Caracas and Triple Zulia ticked with Space, the number typed from the list, the
    // amount picked from the presets (1, 2, 5, 10...). Then L unticks them for the next play.
    type_keys("<down><down><down> <down><down> 123<enter> <down><down><down><enter><enter>");
    type_keys("l<down><down><down> 000<enter>10<enter>");
    type_keys("l<down><down><down><down><down><down> *12<enter>10<enter>");
    type_keys("l 05<enter>2<enter>");
    EXPECT_EQ(a.dlg->texts(), QStringList({"TRIPLE CARACAS  000 AGOTADO." + blanks(10)}));
    const QString total = w->tx_mtik->text();
    EXPECT_EQ(total, "122");
    QStringList client;
    for (int i = 0; i < w->tik_cur.can_jug; ++i)
        client << w->tik_cur.jug_tik[i].numero.trimmed() + " " + QString::number(w->tik_cur.jug_tik[i].monto, 'f', 0);

    type_keys("<esc>");
    const central::Ticket tk = a.ep.with_server([first](central::Server& s) { return *s.model.ticket(first); });
    EXPECT_EQ(tk.state, central::Ticket::sold);
    EXPECT_EQ(tk.total, 12200000000);
    QStringList server;
    for (const central::Play& p : tk.plays)
        server << p.numero + " " + QString::number(p.monto);
    EXPECT_EQ(server, client);
    const auto& docs = dynamic_cast<fake::Printers&>(a.app->prn).docs;
    ASSERT_EQ(docs.size(), 1);
    QStringList printed = docs[0].lines.mid(0, docs[0].lines.size() - 1);
    for (QString& line : printed)
        line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY").replace(tk.hora, "HH:MM:SS");
    EXPECT_EQ(printed.join('|').replace(' ', '_'), golden("plays_sold.txt").join('|').replace(' ', '_'));
    EXPECT_EQ(w->tx_ntik->text(), eight(first + 1));
    EXPECT_TRUE(watchdog.isActive());
    a.app->unload("movtik");
}

} // namespace
