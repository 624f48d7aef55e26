// Every call of the annulment and payment windows failing once (the retry answers, no
// message) and twice (one lost-connection message, nothing read, the command clean).
#include "services/annul_window.h"
#include "services/payment_window.h"
#include "tests/services/tickets_fixture.h"

#include <functional>

namespace {

using Sweep = TicketsTest;

TEST_F(Sweep, EveryCallFailingOnceAndTwice)
{
    const QString question = "¿Desea anular el ticket?" + k5;
    const QString anulado = "Ticket anulado." + k5;
    struct Case {
        const char* proc;
        std::function<QString(Sweep&, qint64)> run;  // runs the window; answers what it shows
        QStringList boxes_ok;                        // after the one failure
        QString shown_ok;
        QStringList boxes_lost;                      // after the two failures
        QString shown_lost;
    };
    auto annul = [](Sweep& s, qint64 num) {
        auto* w = s.t->win<proatk>("proatk");
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, QString::number(num));
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        const auto state = s.model().tickets.last().state;
        return texts(w, {"tx_numt", "tx_fech", "tx_caja", "tx_mont"}).join('|') + " " +
               (state == central::Ticket::annulled ? "annulled" : "sold");
    };
    auto pay = [](Sweep& s, qint64) {
        auto& tk = s.model().tickets.last();
        tk.processed = true;
        tk.premio = 700000000;
        auto* w = s.t->win<proptk>("proptk");
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, QString::number(tk.serial));
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        return texts(w, {"tx_numt", "tx_fech", "tx_caja", "tx_mont", "tx_prem"}).join('|') + " " +
               (tk.paid ? "paid" : "unpaid");
    };
    const QString pay_q = "¿Desea cancelar el ticket?" + k5;
    const QString pagado = "Ticket cancelado." + k5;
    const QString today = QDate::currentDate().toString("dd/MM/yyyy");
    const Case cases[] = {
        {"dsputk",
         [](Sweep& s, qint64) {
             auto* w = s.t->win<proatk>("proatk");
             w->tx_ultt->setText("previo");
             w->Form_Activate();
             return w->tx_ultt->text();
         },
         {}, "%1", {kNoConexion}, "previo"},
        {"dsptik", annul, {question, anulado}, "||| annulled", {kNoConexion}, "%1||| sold"},
        {"anutix", annul, {question, anulado}, "||| annulled", {question, kNoConexion},
         "%1|" + today + "|03|5 sold"},
        {"dsptix", pay, {pay_q, pagado}, "|||| paid", {kNoConexion}, "%2|||| unpaid"},
        {"pagtix", pay, {pay_q, pagado}, "|||| paid", {pay_q, kNoConexion}, "%2|" + today + "|03|5|7 unpaid"},
    };
    t->mnu.value("pro_anu")->trigger();
    t->mnu.value("pro_pag")->trigger();
    qint64 num = 40710;
    for (const auto& k : cases)
        for (int fails : {1, 2}) {
            SCOPED_TRACE(testing::Message() << k.proc << " failing " << fails);
            const QString padded = "000" + QString::number(++num);
            add_ticket(num, "03");
            t.connect();
            clear_log();
            t.srv->fail_next(fails, k.proc);
            const QString shown = k.run(*this, num);
            EXPECT_EQ(dlg().texts(), fails == 1 ? k.boxes_ok : k.boxes_lost);
            QString want = fails == 1 ? k.shown_ok : k.shown_lost;
            want.replace("%1", padded).replace("%2", QString::number(num + 50000000));  // number, serial
            EXPECT_EQ(shown, want);
            EXPECT_EQ(t.srv->calls(k.proc).size(), 2);
            EXPECT_EQ(t->flg_nocox, fails - 1);
            expect_clean();
        }
}

} // namespace
