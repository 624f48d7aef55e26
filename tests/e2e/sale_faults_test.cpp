// The sale over the wire when the connection fails inside the ticket cycle: a printed ticket
// is never annulled, a ticket the server committed is never left unprinted and unannulled,
// and a seeded soak of tickets with faults at random points keeps both.
#include "reports/procs.h"
#include "sale/ticket/cycle.h"
#include "tests/e2e/lost.h"
#include "tests/e2e/wire_sale.h"

namespace {

using namespace wire;

// The first ticket committed and printed, then the next opening lost and the reconnect
// refused: the window holds no ticket. Once the connection is back it opens the next one,
// which Esc deletes as it closes the window, and the printed ticket stays sold; nothing
// ever deletes or annuls it.
TEST(WireSaleFaults, APrintedTicketIsNeverAnnulled)
{
    using Arm = std::function<void(WireSale&)>;
    const auto lost = [](const char* proc) -> Arm {
        return [proc](WireSale& s) { s.ep.with_server([proc](central::Server& v) { v.fail_next(1, proc); }); };
    };
    const auto unanswered = [](const char* proc) -> Arm {
        return [proc](WireSale& s) { s.ep.lose_answers_at_next_calls(1, proc); };
    };
    const struct {
        const char* name;
        Arm arm;
    } cases[] = {
        {"getpaq answered to nobody", unanswered("getpaq")},
        {"getpaq lost before it ran", lost("getpaq")},
        {"newtkx answered to nobody", unanswered("newtkx")},
        {"newtkx lost before it ran", lost("newtkx")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WireSale s;
        ASSERT_TRUE(s.error.isEmpty()) << qPrintable(s.error);
        s.open();
        s.play("123", 10);
        c.arm(s);
        s.ep.with_server([](central::Server& v) { v.fail_next_open(1); });
        s.esc();
        ASSERT_EQ(s.prn->docs.size(), 1);
        EXPECT_EQ(read_printed(s.prn->docs[0]).numtik, s.first);
        ASSERT_TRUE(s.shown());
        EXPECT_EQ(s.app->flg_nocox, 1);
        const TikCur& t = s.w->tik_cur;
        EXPECT_EQ(QStringList({t.num_tik, QString::number(t.tot_tik), QString::number(t.can_jug),
                               QString::number(s.w->lt_nume->count()), s.w->tx_ntik->text(), s.w->tx_mtik->text()}),
                  QStringList({"0", "0", "0", "0", "", ""}));

        s.tick();  // the connection back
        EXPECT_GT(s.numtik(), s.first);
        s.esc();
        EXPECT_FALSE(s.shown());
        s.esc();
        s.open();
        EXPECT_GT(s.numtik(), s.first);
        EXPECT_EQ(s.dlg->texts(), QStringList({"No hay conexión con el servidor." + blanks(10)}));
        EXPECT_EQ(s.state(s.first), central::Ticket::sold);
        EXPECT_FALSE(s.disposed(s.log()).contains(s.first));
        EXPECT_EQ(s.prn->docs.size(), 1);
    }
}

// The day's sales of the outlet, as the sales report reads them.
double sales(WireSale& s)
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const auto rows = sp::repvtq(*s.app, {today, today, "001", "  "});
    EXPECT_TRUE(rows.ok);
    double total = 0;
    for (const SaleRow& row : rows.rows)
        total += row.total;
    return total;
}

// A second ticket's valtkx runs on the server but its answer is lost and the reconnect
// refused: the cashier is told the sale failed, and the ticket, sold on the server, is
// annulled by the first call answered afterwards (the keep-alive; or, when that cannot send
// it, before the reopened sale window opens a ticket). The day's sales count the first only.
// An annulment the server answers with an error is not sent again (it would stop every sale
// after it), and one is never sent to a database other than the one the ticket was sold on;
// the same number waiting on another database stays remembered for that one.
TEST(WireSaleFaults, AnUnansweredCommitIsAnnulledOnceTheServerAnswers)
{
    enum Case { at_keepalive, tick_fails, server_refuses, other_database, two_databases };
    for (const Case c : {at_keepalive, tick_fails, server_refuses, other_database, two_databases}) {
        SCOPED_TRACE(int(c));
        WireSale s;
        ASSERT_TRUE(s.error.isEmpty()) << qPrintable(s.error);
        const double sold_before = sales(s);
        s.open();
        s.play("123", 10);
        s.esc();
        s.play("456", 5);
        s.ep.lose_answers_at_next_calls(1, "valtkx");
        s.ep.with_server([](central::Server& v) { v.fail_next_open(1); });
        s.esc();
        EXPECT_FALSE(s.shown());
        EXPECT_EQ(s.prn->docs.size(), 1);
        EXPECT_EQ(s.state(s.first + 1), central::Ticket::sold);
        ASSERT_EQ(s.app->tik_anu.size(), 1);
        EXPECT_EQ(s.app->tik_anu[0].numtik, s.first + 1);
        ASSERT_EQ(s.dlg->boxes.size(), 2);
        EXPECT_EQ(s.dlg->boxes[1].text, "Error interno de validación." + blanks(15));
        EXPECT_EQ(s.dlg->boxes[1].title, "Ticket : " + eight(s.first + 1));

        const qsizetype from = s.log().size();
        const QString sold_on = s.app->dat_cox.srv_databs;
        if (c == tick_fails)
            s.ep.with_server([](central::Server& v) { v.fail_next(1, "anutix"); });
        if (c == server_refuses)
            s.ep.with_server([](central::Server& v) { v.error_next(1, "anutix"); });
        if (c == other_database)
            s.app->dat_cox.srv_databs = "otra";  // a login that reached another database
        QStringList waiting;  // what stays remembered in the end
        if (c == two_databases) {
            // A ticket of the same number sold on another database, whose annulment waits too.
            s.app->dat_cox.srv_databs = "otra";
            anu_later(*s.app, s.first + 1);
            s.app->dat_cox.srv_databs = sold_on;
            waiting << QString::number(s.first + 1) + " " + s.app->tik_anu.last().cox;
        }
        const auto remembered = [&s] {
            QStringList out;
            for (const TikAnu& t : s.app->tik_anu)
                out << QString::number(t.numtik) + " " + t.cox;
            return out;
        };
        s.tick();
        EXPECT_EQ(s.app->tik_anu.isEmpty(), c == at_keepalive || c == server_refuses);
        if (c == other_database) {
            s.app->dat_cox.srv_databs = sold_on;
            s.tick();
        }
        if (c == tick_fails || c == server_refuses) {
            EXPECT_EQ(s.state(s.first + 1), central::Ticket::sold);
            s.open();
            EXPECT_EQ(s.numtik(), s.first + 2);
        }
        QStringList calls;
        for (const central::Call& call : s.log().mid(from))
            if (call.proc == "anutix" || call.proc == "newtkx")
                calls << (call.proc == "anutix" ? call.proc + " " + args(call).join('|') : call.proc);
        const QString anutix = QString("anutix %1|001|**").arg(s.first + 1);
        EXPECT_EQ(calls, c == tick_fails       ? QStringList({anutix, anutix, "newtkx"})
                         : c == server_refuses ? QStringList({anutix, "newtkx"})
                                               : QStringList({anutix}));
        EXPECT_EQ(s.state(s.first + 1), c == server_refuses ? central::Ticket::sold : central::Ticket::annulled);
        EXPECT_EQ(remembered(), waiting);
        EXPECT_EQ(s.dlg->boxes.size(), 2);  // nothing more shown

        if (c != server_refuses) {
            EXPECT_EQ(sales(s) - sold_before, 1000000000.0);  // the first ticket's 10 units
        }
    }
}

// A ticket the window ends (printed, annulled after its commit's re-run was refused,
// deleted for its total, dropped by the watch) whose next opening fails, its getpaq or
// newtkx reset and the reopen refused: the window holds no ticket and sends nothing for the
// ended one. The keep-alive that finds the server again opens the next ticket, once, as
// after every ticket: the limits read, one newtkx, the new number shown; a play typed then
// goes to it and shows its line.
TEST(WireSaleFaults, AnEndedTicketIsNeverTheWindowsAgain)
{
    const auto none = [](SaleRig&) {};
    const auto annulled = [](SaleRig& r) { r.t.ep->lose_answers_at_next_calls(1, "valtkx"); };
    const auto deleted = [](SaleRig& r) { r.model().set_param("VENTIK_MAX", "500000000"), r.w->car_lim(); };
    const auto dropped = [](SaleRig& r) { r.model().ticket(r.tik().numtik())->fecha = QDate::currentDate().addDays(-1); };
    const struct {
        const char* name;
        std::function<void(SaleRig&)> arrange;
        const char* ends;    // the step that ends the ticket: Esc, Esc after its message, or the watch
        const char* fails;   // the call of the next opening that fails
        const char* sent;    // what ended the ticket on the server
    } cases[] = {
        {"printed", none, "<esc>", "getpaq", "valtkx"},
        {"printed", none, "<esc>", "newtkx", "valtkx"},
        {"annulled", annulled, "box", "getpaq", "anutix"},
        {"annulled", annulled, "box", "newtkx", "anutix"},
        {"deleted", deleted, "box", "getpaq", "deltik"},
        {"deleted", deleted, "box", "newtkx", "deltik"},
        {"dropped", dropped, "watch", "newtkx", "deltik"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ", " << c.fails << " lost");
        SaleRig r(true);
        ASSERT_TRUE(r.open());
        const qint64 ended = r.tik().numtik();
        r.lots("001");
        r.enter("123<enter>10<enter>");
        c.arrange(r);
        r.report();
        // The next opening's call reset, the reopen refused, once the ticket's end is shown.
        const auto fail_opening = [&] {
            r.t.srv->fail_next(1, c.fails);
            r.t.srv->fail_next_open(1);
        };
        if (QString(c.ends) == "watch") {
            fail_opening();
            r.watch(6);
        } else if (QString(c.ends) == "box") {
            r.dlg().on_box = [&](const fake::Box&) {
                r.dlg().on_box = nullptr;
                fail_opening();
            };
            r.enter("<esc>");
        } else {
            fail_opening();
            r.enter("<esc>");
        }
        SaleRig::settle();
        ASSERT_FALSE(r.closed());
        EXPECT_EQ(r.t->flg_nocox, 1);
        EXPECT_EQ(r.tik().num_tik, "0");
        EXPECT_EQ(r.w->tx_ntik->text() + r.w->tx_mtik->text() + r.lines().join(""), "");
        QStringList ends;
        for (const central::Call& call : r.t.srv->log)
            if (call.proc == "anutix" || call.proc == "deltik" || call.proc == "valtkx")
                ends << call.proc + " " + QString::number(named(call));
        EXPECT_EQ(ends.filter(c.sent), QStringList(QString("%1 %2").arg(c.sent).arg(ended)));
        EXPECT_EQ(r.t.prn->docs.size(), QString(c.name) == "printed" ? 1 : 0);
        r.report();

        lost::back(r.t);
        SaleRig::settle();
        const qint64 next = r.tik().numtik();
        EXPECT_GT(next, ended);
        EXPECT_EQ(r.w->tx_ntik->text(), eight(next));
        EXPECT_EQ(r.t.srv->procs().filter(QRegularExpression("^(getpaq|newtkx)$")), QStringList({"getpaq", "newtkx"}));
        EXPECT_EQ(r.dlg().texts(), QStringList());
        r.report();

        r.enter("456<enter>1<enter>");
        EXPECT_EQ(r.lines().size(), 1);
        EXPECT_EQ(r.t.srv->calls("protkx").value(0).values.value(0).toLongLong(), next);
        for (const central::Call& call : r.t.srv->log)
            EXPECT_NE(named(call), ended) << qPrintable(call.proc);
        EXPECT_EQ(r.dlg().texts(), QStringList());
        EXPECT_EQ(lost::changing(r.t, 0), QStringList({"protkx"}));
        lost::back(r.t);  // a later keep-alive opens nothing more
        EXPECT_EQ(r.tik().numtik(), next);
        EXPECT_EQ(r.t.srv->calls("newtkx").size(), 0);
    }
}

// A sale window left without a ticket by a lost opening (the first ticket printed, the
// next newtkx reset and the reopen refused) when the keep-alive finds the server again:
// while a modal window is up, the ticket opens once it is closed, before the next key is
// handled, and the play typed goes to it; a keep-alive inside the lost-connection message
// opens it once the message is answered; an opening that fails again opens at the next
// return; a window closed meanwhile opens nothing.
TEST(WireSaleFaults, AWindowLeftWithoutATicketOpensOneWhenTheServerIsBack)
{
    enum Case { in_modal, in_message, fails_again, closed };
    for (const Case c : {in_modal, in_message, fails_again, closed}) {
        SCOPED_TRACE(int(c));
        SaleRig r(true);
        ASSERT_TRUE(r.open());
        const qint64 printed = r.tik().numtik();
        r.lots("001");
        r.enter("123<enter>10<enter>");
        r.report();
        r.t.srv->fail_next(1, "newtkx");
        r.t.srv->fail_next_open(1);
        if (c == in_message)
            r.dlg().on_box = [&](const fake::Box&) {
                r.dlg().on_box = nullptr;
                lost::back(r.t);
            };
        r.enter("<esc>");
        if (c == in_message) {
            // Back while the message was up: nothing opened inside it.
            EXPECT_EQ(r.t.srv->calls("newtkx").size(), 1);
            EXPECT_EQ(r.tik().num_tik, "0");
        }
        SaleRig::settle();
        EXPECT_EQ(r.dlg().texts(), QStringList({"No hay conexión con el servidor." + blanks(10)}));
        if (c == in_message) {
            // Opened once the message was answered, before any key.
            EXPECT_EQ(r.t.srv->calls("newtkx").size(), 2);
            EXPECT_NE(r.tik().num_tik, "0");
        }
        r.report();

        if (c == in_modal) {
            QDialog modal(r.w->window());
            QTimer::singleShot(0, &modal, [&] {
                lost::back(r.t);
                EXPECT_EQ(r.t.srv->calls("newtkx").size(), 0);  // not while the window is not free
                modal.reject();
            });
            modal.exec();
            EXPECT_EQ(r.tik().num_tik, "0");
            QApplication::setActiveWindow(r.w);
            r.enter("456<enter>5<enter>");
        }
        if (c == fails_again) {
            r.t.srv->fail_next(2, "getpaq");  // and its retry after the reopen
            timers_Timer(*r.t);
            SaleRig::settle();
            EXPECT_EQ(r.t->flg_nocox, 1);
            EXPECT_EQ(r.tik().num_tik, "0");
            EXPECT_EQ(r.t.srv->calls("newtkx").size(), 0);
            EXPECT_EQ(r.dlg().texts(), QStringList({"No hay conexión con el servidor." + blanks(10)}));
            r.report();
            lost::back(r.t);
            SaleRig::settle();
        }
        if (c == closed) {
            r.enter("<esc>");
            SaleRig::settle();
            ASSERT_TRUE(r.closed());
            lost::back(r.t);
            SaleRig::settle();
            EXPECT_EQ(r.t.srv->calls("getpaq").size() + r.t.srv->calls("newtkx").size(), 0);
            EXPECT_EQ(lost::changing(r.t, 0), QStringList());
            continue;
        }
        if (c != in_modal)
            r.enter("456<enter>5<enter>");
        const qint64 next = r.tik().numtik();
        EXPECT_GT(next, printed);
        EXPECT_EQ(r.w->tx_ntik->text(), eight(next));
        EXPECT_EQ(r.lines().size(), 1);
        EXPECT_EQ(lost::changing(r.t, 0), c == in_message ? QStringList{"protkx"} : QStringList({"newtkx", "protkx"}));
        EXPECT_EQ(r.t.srv->calls("protkx").value(0).values.value(0).toLongLong(), next);
        EXPECT_EQ(r.dlg().texts(), QStringList());
        EXPECT_EQ(r.state(printed), "sold");
    }
}

// Tickets sold with faults at random points of the ticket cycle keep the promise after
// every ticket and send nothing while lost or for a closed ticket; the seeds strike a
// window left without a ticket after a commit and after an annulment (each given one when
// the server is back), a remembered annulment, and steps taken while the connection
// counted as lost.
TEST(WireSaleFaults, SoakKeepsThePromise)
{
    Figures all;
    for (const quint32 seed : {1u, 2u}) {
        const Figures f = soak(seed, 30);
        EXPECT_TRUE(f.breaches.isEmpty()) << qPrintable(f.breaches.join('\n'));
        all.printed += f.printed;
        all.faults += f.faults;
        all.left_empty += f.left_empty;
        all.ended_empty += f.ended_empty;
        all.reopened += f.reopened;
        all.remembered += f.remembered;
        all.while_lost += f.while_lost;
    }
    EXPECT_GT(all.printed, 20);
    EXPECT_GT(all.faults, 30);
    EXPECT_GT(all.left_empty, 0);
    EXPECT_GT(all.ended_empty, 0);
    EXPECT_EQ(all.reopened, all.left_empty + all.ended_empty);
    EXPECT_GT(all.remembered, 0);
    EXPECT_GT(all.while_lost, 0);
}

} // namespace
