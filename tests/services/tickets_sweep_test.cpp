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
    // Each run answers what its window shows afterwards and the ticket's state.
    const auto annul = [](Sweep& s, central::Ticket& tk) {
        auto* w = s.t->win<proatk>("proatk");
        s.procesar(w, QString::number(tk.numtik), {});
        return fields(w, {"tx_numt", "tx_fech", "tx_caja", "tx_mont"}) +
               (tk.state == central::Ticket::annulled ? " annulled" : " sold");
    };
    const auto pay = [](Sweep& s, central::Ticket& tk) {
        tk.processed = true;
        tk.premio = 700000000;
        auto* w = s.t->win<proptk>("proptk");
        s.procesar(w, QString::number(tk.serial), {});
        return fields(w, {"tx_numt", "tx_fech", "tx_caja", "tx_mont", "tx_prem"}) + (tk.paid ? " paid" : " unpaid");
    };
    const QString annul_q = box("¿Desea anular el ticket?", 33), pay_q = box("¿Desea cancelar el ticket?", 33);
    const QString ticket = "|" + today.toString("dd/MM/yyyy") + "|03|5";
    const struct {
        const char* proc;
        std::function<QString(Sweep&, central::Ticket&)> run;
        QStringList boxes_once;
        QString shown_once;
        QStringList boxes_twice;
        QString shown_twice;  // %1 the padded number, %2 the serial
    } cases[] = {
        {"dsputk",
         [](Sweep& s, central::Ticket&) {
             auto* w = s.t->win<proatk>("proatk");
             w->tx_ultt->setText("previo");
             w->Form_Activate();
             return w->tx_ultt->text();
         },
         {}, "%1", {kLostBox}, "previo"},
        {"dsptik", annul, {annul_q, box("Ticket anulado.", 64)}, "||| annulled", {kLostBox}, "%1||| sold"},
        {"anutix", annul, {annul_q, box("Ticket anulado.", 64)}, "||| annulled", {annul_q, kLostBox},
         "%1" + ticket + " sold"},
        {"dsptix", pay, {pay_q, box("Ticket cancelado.", 64)}, "|||| paid", {kLostBox}, "%2|||| unpaid"},
        {"pagtix", pay, {pay_q, box("Ticket cancelado.", 64)}, "|||| paid", {pay_q, kLostBox},
         "%2" + ticket + "|7 unpaid"},
    };
    t->mnu.value("pro_anu")->trigger();
    t->mnu.value("pro_pag")->trigger();
    qint64 num = 40710;
    for (const auto& k : cases)
        for (int fails : {1, 2}) {
            SCOPED_TRACE(testing::Message() << k.proc << " failing " << fails);
            central::Ticket& tk = add_ticket(++num, "03");
            t.connect();
            clear_log();
            t.srv->fail_next(fails, k.proc);
            const QString shown = k.run(*this, tk);
            EXPECT_EQ(boxes(), fails == 1 ? k.boxes_once : k.boxes_twice);
            QString want = fails == 1 ? k.shown_once : k.shown_twice;
            EXPECT_EQ(shown, want.replace("%1", "000" + QString::number(num)).replace("%2", QString::number(tk.serial)));
            EXPECT_EQ(t.srv->calls(k.proc).size(), 2);
            EXPECT_EQ(t->flg_nocox, fails - 1);
            expect_clean();
        }
}

} // namespace
