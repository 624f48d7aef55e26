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
// refused: the window holds no ticket, so once the connection is back Esc only closes it,
// and the printed ticket stays sold; nothing ever deletes or annuls it.
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

// A ticket the window ends (annulled after its commit's re-run was refused, deleted for its
// total, dropped by the watch) whose next opening fails, its getpaq or newtkx reset and the
// reopen refused: the window holds no ticket. Once the keep-alive is back, a typed play, a
// sign play, a duplicate and Esc send nothing for any ticket and show nothing; Esc closes
// the window, and the window opened again gets a new ticket that takes plays.
TEST(WireSaleFaults, AnEndedTicketIsNeverTheWindowsAgain)
{
    const struct {
        const char* name;
        std::function<void(SaleRig&)> arrange;
        const char* ends;  // the step that ends the ticket: Esc, or the watch
        const char* fails;   // the call of the next opening that fails
        const char* sent;    // what ended the ticket on the server
    } cases[] = {
        {"annulled", [](SaleRig& r) { r.t.ep->lose_answers_at_next_calls(1, "valtkx"); }, "<esc>", "getpaq", "anutix"},
        {"deleted", [](SaleRig& r) { r.model().set_param("VENTIK_MAX", "500000000"), r.w->car_lim(); }, "<esc>", "getpaq",
         "deltik"},
        {"dropped", [](SaleRig& r) { r.model().ticket(r.tik().numtik())->fecha = QDate::currentDate().addDays(-1); },
         "watch", "newtkx", "deltik"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
        } else {
            r.dlg().on_box = [&](const fake::Box&) {
                r.dlg().on_box = nullptr;
                fail_opening();
            };
            r.enter("<esc>");
        }
        ASSERT_FALSE(r.closed());
        EXPECT_EQ(r.t->flg_nocox, 1);
        EXPECT_EQ(r.tik().num_tik, "0");
        EXPECT_EQ(r.w->tx_ntik->text() + r.w->tx_mtik->text() + r.lines().join(""), "");
        QStringList ends;
        for (const central::Call& call : r.t.srv->log)
            if (call.proc == "anutix" || call.proc == "deltik" || call.proc == "valtkx")
                ends << call.proc + " " + QString::number(call.values.value(0).toString().toLongLong());
        EXPECT_EQ(ends.filter(c.sent), QStringList(QString("%1 %2").arg(c.sent).arg(ended)));
        r.report();

        lost::back(r.t);
        r.dlg().boxes.clear();
        r.t.srv->log.clear();
        r.enter("456<enter>5<enter>");
        r.sign_play("004", "25", "A");
        r.dialog_keys = "75<@tx_mont>3<enter>";
        r.w->tx_nume->setFocus();
        type_keys("d");
        EXPECT_EQ(lost::changing(r.t, 0), QStringList());
        EXPECT_EQ(r.dlg().texts(), QStringList());
        EXPECT_EQ(r.lines(), QStringList());
        EXPECT_EQ(r.tik().tot_tik, 0);
        r.enter("<esc>");
        SaleRig::settle();
        EXPECT_TRUE(r.closed());
        EXPECT_EQ(lost::changing(r.t, 0), QStringList());

        ASSERT_TRUE(r.open());
        EXPECT_GT(r.tik().numtik(), ended);
        r.lots("001");
        r.enter("789<enter>1<enter>");
        EXPECT_EQ(r.lines().size(), 1);
        EXPECT_EQ(r.t.srv->calls("protkx").value(0).values.value(0).toLongLong(), r.tik().numtik());
        EXPECT_EQ(r.dlg().texts(), QStringList());
    }
}

// Tickets sold with faults at random points of the ticket cycle keep the promise after
// every ticket and send nothing while lost or for a closed ticket; the seeds strike a
// window left without a ticket after a commit and after an annulment, a remembered
// annulment, and steps taken while the connection counted as lost.
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
        all.remembered += f.remembered;
        all.while_lost += f.while_lost;
    }
    EXPECT_GT(all.printed, 20);
    EXPECT_GT(all.faults, 30);
    EXPECT_GT(all.left_empty, 0);
    EXPECT_GT(all.ended_empty, 0);
    EXPECT_GT(all.remembered, 0);
    EXPECT_GT(all.while_lost, 0);
}

} // namespace
