// The annulment and payment windows: every status, check and lost call, and the ticket
// field's keys, with the messages and the fields while each is up, the calls and the
// ticket afterwards (a golden transcript); focus, Enter and Esc; "Último:"; the places and
// widths of the services' windows.
#include "tests/services/fixture.h"
#include "tests/doubles/untyped.h"

#include <QMdiArea>
#include <functional>

namespace {

using central::Ticket;
using S = ServicesTest;
using Prep = std::function<void(S&, Ticket&)>;

// The call proc loses the connection n times: once, the retry answers; twice, one message,
// nothing read.
Prep lose(int n, const char* proc) { return [=](S& s, Ticket&) { s.t.srv->fail_next(n, proc); }; }

TEST_F(ServicesTest, AnnulmentAndPaymentEveryStatusCheckAndLostCall)
{
    const struct {
        const char *item, *name;
        Prep setup;
        const char* caja = "03";  // the user's; the ticket's is 05
        int answer = 1;           // at the question
        const char* typed = {};   // none: the ticket's number or serial
    } cases[] = {
        {"pro_anu", "letters, blanks, signs, a ninth digit, Backspace", nullptr, "03", 1, "1a 2-+.,3456789\b"},
        {"pro_anu", "empty", nullptr, "03", 1, ""},
        {"pro_anu", "unknown", [](S&, Ticket& tk) { tk.state = Ticket::deleted; }},
        {"pro_anu", "processed", [](S&, Ticket& tk) { tk.processed = true; }},
        {"pro_anu", "paid", [](S&, Ticket& tk) { tk.processed = tk.paid = true; }},
        {"pro_anu", "earlier day", [](S&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-1); }},
        {"pro_anu", "annulled through the window",
         [](S& s, Ticket& tk) { s.run(s.t->win<proatk>("proatk"), QString::number(tk.numtik)); }, "05"},
        {"pro_anu", "other outlet", [](S&, Ticket& tk) { tk.cod_ven = "002"; }, "00"},
        {"pro_anu", "no header row", [](S& s, Ticket&) { s.t.srv->no_recordset("dsptik"); }, "00"},
        {"pro_anu", "other caja", nullptr},
        {"pro_anu", "supervisor", nullptr, "00"},
        {"pro_anu", "own caja", nullptr, "05"},
        {"pro_anu", "cancel", nullptr, "05", 2},
        {"pro_anu", "refused by anutix",  // processed while the question was up
         [](S& s, Ticket& tk) { s.t.dlg->on_box = [&tk](const fake::Box&) { tk.processed = true; }; }, "05"},
        {"pro_anu", "dsptik lost once", lose(1, "dsptik"), "05"},
        {"pro_anu", "dsptik lost", lose(2, "dsptik"), "05"},
        {"pro_anu", "anutix lost once", lose(1, "anutix"), "05"},
        {"pro_anu", "anutix lost", lose(2, "anutix"), "05"},
        {"pro_anu", "no status: unreadable, given up", [](S& s, Ticket&) { s.t.srv->no_status("dsptik"); }, "05", 2},
        {"pro_pag", "letters, blanks, signs, a ninth digit, Backspace", nullptr, "03", 1, "1a 2-+.,3456789\b"},
        {"pro_pag", "empty", nullptr, "03", 1, ""},
        {"pro_pag", "unknown", [](S&, Ticket& tk) { tk.serial = 1; }},
        {"pro_pag", "annulled", [](S&, Ticket& tk) { tk.state = Ticket::annulled; }},
        {"pro_pag", "paid through the window",
         [](S& s, Ticket& tk) { s.run(s.t->win<proptk>("proptk"), QString::number(tk.serial)); }},
        {"pro_pag", "expired", [](S&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-3); }},
        {"pro_pag", "not processed", [](S&, Ticket& tk) { tk.processed = false; }},
        {"pro_pag", "other outlet", [](S&, Ticket& tk) { tk.cod_ven = "002"; }},
        {"pro_pag", "no row", [](S& s, Ticket&) { s.t.srv->no_recordset("dsptix"); }},
        {"pro_pag", "no prize", [](S&, Ticket& tk) { tk.premio = 0; }},
        {"pro_pag", "cancel", nullptr, "03", 2},
        {"pro_pag", "refused",  // paid elsewhere while the question was up
         [](S& s, Ticket& tk) { s.t.dlg->on_box = [&tk](const fake::Box&) { tk.paid = true; }; }},
        {"pro_pag", "paid", nullptr},
        {"pro_pag", "dsptix lost once", lose(1, "dsptix")},
        {"pro_pag", "dsptix lost", lose(2, "dsptix")},
        {"pro_pag", "pagtix lost once", lose(1, "pagtix")},
        {"pro_pag", "pagtix lost", lose(2, "pagtix")},
    };
    const char* const states[] = {"pending", "sold", "annulled", "deleted"};
    QStringList got;
    qint64 num = 4711;
    for (const auto& k : cases) {
        const bool pay = k.item == std::string_view("pro_pag");
        Ticket& tk = add_ticket(++num, "05", pay ? 1 : 0);
        tk.processed = pay;  // one to pay is a winner of 1.234 units of the day before
        tk.premio = pay ? 123400000000 : 0;
        const QString typed = k.typed ? k.typed : QString::number(pay ? tk.serial : num);
        t.connect();
        t->ses_val.cod_caj = k.caja;
        t.srv->no_recordset(pay ? "dsptix" : "dsptik", false);
        auto* w = open<TicketForm>(k.item, pay ? "proptk" : "proatk");
        if (k.setup)
            k.setup(*this, tk);
        t.dlg->answers = {k.answer};
        got << QString("%1 %2: caja %3, answer %4").arg(k.item, k.name, k.caja).arg(k.answer) << run(w, typed)
            << QString("  ticket %1%2, flag %3").arg(states[tk.state], tk.paid ? " paid" : "").arg(t->flg_nocox);
    }
    expect_golden(got, "tickets.txt");

    // Both have the focus in the ticket field and sit in their place; Enter on a button with
    // the focus clicks it; Esc is "Cancelar".
    for (const auto& [item, window] : {std::pair{"pro_anu", "proatk"}, {"pro_pag", "proptk"}}) {
        auto* w = open<TicketForm>(item, window);
        EXPECT_EQ(w->focusWidget(), w->tx_numt);
        EXPECT_EQ(w->parentWidget()->pos(), TicketForm::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
        w->b_cancelar->setFocus();
        QTest::keyClick(w->b_cancelar, Qt::Key_Return);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(window));
        QTest::keyClick(open<TicketForm>(item, window)->tx_numt, Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(window));
    }
}

// Answers the server spoiled, to the annulment and the payment: nothing is asked, annulled
// or paid on what could not be read, and a result that could not be read is not reported
// as done.
TEST_F(ServicesTest, AnnulmentAndPaymentOnUnreadableAnswers)
{
    namespace spoil = central::spoil;
    const struct { const char* item; const char* name; const char* proc; central::Spoil spoil; } cases[] = {
        {"pro_anu", "a null status", "dsptik", spoil::no_status()},
        {"pro_anu", "a null outlet", "dsptik", spoil::column("codven", {})},
        {"pro_anu", "a total beyond 64 bits", "dsptik", spoil::column("total", 1e20)},
        {"pro_anu", "a caja of the wrong type", "dsptik", spoil::column("iduser", 3.5)},
        {"pro_anu", "an extra result set first", "dsptik", spoil::extra_first_set()},
        {"pro_anu", "anutix without its result", "anutix", spoil::no_status()},
        {"pro_pag", "a null key", "dsptix", spoil::output(0, {})},
        {"pro_pag", "a blank key", "dsptix", spoil::output(0, "        ")},
        {"pro_pag", "a null prize", "dsptix", spoil::column("premio", {})},
        {"pro_pag", "a prize of 21 digits", "dsptix", spoil::column("premio", "999999999999999999999")},
        // The date is only shown: as the server sent it, a date in the program's form.
        {"pro_pag", "a date text of no form", "dsptix", spoil::column("fecmov", "mañana")},
        {"pro_pag", "a date text with dashes", "dsptix", spoil::column("fecmov", "05-03-2024")},
        {"pro_anu", "a date text with points", "dsptik", spoil::column("fecmov", "05.03.2024")},
        {"pro_anu", "a date text with slashes", "dsptik", spoil::column("fecmov", "2024/03/05")},
        {"pro_anu", "a date sent as a date", "dsptik", spoil::column("fecmov", QDate(2024, 3, 5))},
        {"pro_anu", "a date sent with its time", "dsptik", spoil::column("fecmov", QDateTime(QDate(2024, 3, 5), QTime(9, 7, 5)))},
        {"pro_anu", "a null date", "dsptik", spoil::column("fecmov", {})},
        {"pro_pag", "pagtix without its result", "pagtix", spoil::no_status()},
    };
    QStringList got;
    qint64 num = 4811;
    for (const auto& k : cases) {
        const bool pay = k.item == std::string_view("pro_pag");
        Ticket& tk = add_ticket(++num, "05", pay ? 1 : 0);
        tk.processed = pay;
        tk.premio = pay ? 123400000000 : 0;
        t.connect();
        t->ses_val.cod_caj = "05";
        auto* w = open<TicketForm>(k.item, pay ? "proptk" : "proatk");
        t.srv->spoil_next(k.proc, k.spoil);
        t.dlg->answers = {plat::ans_ok};
        got << QString("%1 %2").arg(k.item, k.name) << run(w, QString::number(pay ? tk.serial : num))
            << QString("  ticket %1%2, flag %3").arg(tk.state == Ticket::annulled ? "annulled" : "sold", tk.paid ? " paid" : "")
                   .arg(t->flg_nocox);
    }
    expect_golden(got, "unreadable.txt");
}

// Text pasted into the ticket field, whatever the way, is refused whole: the number the
// server receives is the one the field shows while the question is up.
TEST_F(ServicesTest, APastedTicketNeverReachesTheServerAsAnythingButWhatTheFieldShows)
{
    qint64 num = 4800;
    t->ses_val.cod_caj = "05";  // the tickets' own caja: the annulment is asked for
    for (const bool pay : {false, true})
        for (const auto& way : untyped::ways()) {
            SCOPED_TRACE(std::string(pay ? "payment, " : "annulment, ") + way.name);
            Ticket& tk = add_ticket(++num, "05", pay ? 1 : 0);
            tk.processed = pay;
            tk.premio = pay ? 123400000000 : 0;
            auto* w = pay ? open<TicketForm>("pro_pag", "proptk") : open<TicketForm>("pro_anu", "proatk");
            const QString number = QString::number(pay ? tk.serial : tk.numtik);
            const qsizetype half = number.size() / 2;
            w->tx_numt->clear();
            clear_log();
            QTest::keyClicks(w->tx_numt, number.left(half));
            way.put(w->tx_numt, "12ab34");
            QTest::keyClicks(w->tx_numt, number.mid(half));
            EXPECT_EQ(w->tx_numt->text(), number);

            QString shown;
            t.dlg->on_box = [&](const fake::Box&) {
                if (shown.isEmpty())
                    shown = w->tx_numt->text();
            };
            t.dlg->answers = {1};
            QTest::keyClick(w->tx_numt, Qt::Key_Return);
            t.dlg->on_box = nullptr;
            EXPECT_EQ(shown, number.rightJustified(8, '0'));
            const QStringList sent = calls();
            EXPECT_EQ(sent.size(), 2) << sent.join(", ").toStdString();
            if (sent.size() != 2)
                continue;
            if (pay) {
                EXPECT_EQ(sent[0], "dsptix:<null>|" + shown);
                EXPECT_TRUE(sent[1].startsWith("pagtix:")) << sent[1].toStdString();
                EXPECT_TRUE(tk.paid);
            } else {
                EXPECT_EQ(sent[0], "dsptik:" + QString::number(shown.toLongLong()));
                EXPECT_TRUE(sent[1].startsWith("anutix:" + QString::number(shown.toLongLong()) + "|"))
                    << sent[1].toStdString();
                EXPECT_EQ(tk.state, Ticket::annulled);
            }
        }
}

// "Último:" on the first activation and on every return from another child, not after the
// boxes of a run; a lost connection keeps it.
TEST_F(ServicesTest, AnnulmentLastTicketOnEveryActivation)
{
    add_ticket(4711, "03");
    auto* w = open<proatk>("pro_anu", "proatk");
    const auto look = [&](const QString& step) {
        return ServicesTest::look(step, {"  Último " + w->tx_ultt->text() + ", selected " + w->tx_ultt->selectedText()});
    };
    QStringList got = look("opened");
    add_ticket(4712, "03");
    got << run(w, "4711") << look("after the run");
    t->mnu.value("mov_prm")->trigger();
    for (const auto& [fails, caja] : {std::pair{1, "03"}, {2, "07"}, {0, "07"}}) {
        t.connect();
        t->ses_val.cod_caj = caja;
        clear_log();
        t.srv->fail_next(fails, "dsputk");
        main->mdi_area()->activatePreviousSubWindow();  // from the winning numbers and back
        main->mdi_area()->activateNextSubWindow();
        got << look(QString("caja %1 back from another window, dsputk lost %2 times").arg(caja).arg(fails));
    }
    expect_golden(got, "last_ticket.txt");
}

// The windows' places on both sides of a screen of 9600 twips; the widths of the first
// columns of the inquiry's lists on both sides of 18 rows and of the winning numbers'
// Nombre column on both sides of 15.
TEST(ServicesLayout, PlacesAndWidths)
{
    EXPECT_EQ(TicketForm::place_for(9600), QPoint(0, 0));
    EXPECT_EQ(TicketForm::place_for(9615), QPoint(33, 33));
    EXPECT_EQ(contix::place_for(9600), QPoint(7, 73));
    EXPECT_EQ(contix::place_for(9615), QPoint(80, 120));
    EXPECT_EQ(movprm::place_for(9600), QPoint(3, 40));
    EXPECT_EQ(movprm::place_for(9615), QPoint(73, 80));
    EXPECT_EQ(prm_nombre_width(15), 2300);
    EXPECT_EQ(prm_nombre_width(16), 2060);
    EXPECT_EQ(contix::numero_width(17), 1060);
    EXPECT_EQ(contix::numero_width(18), 800);
    EXPECT_EQ(contix::loteria_width(17), 2000);
    EXPECT_EQ(contix::loteria_width(18), 1740);
}

} // namespace
