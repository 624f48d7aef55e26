// The ticket inquiry: the play texts, its two lists, Delete, lost calls, and Esc.
#include "tests/services/fixture.h"

namespace {

using central::Ticket;

TEST(InquiryLines, PlayLineByClassSymbolAndSign)
{
    // Symbol sets: 1 names "0" and "99" apart, 2 has neither, 3 names both alike.
    const TabSim tab{{1, 1, 1, 1, 2, 3, 3},
                     {"05", "12", "0", "99", "05", "0", "99"},
                     {"Perico", "Mariposa", "Cero", "Nueve", "Gato", "Ballena", "Ballena"}};
    const struct {
        const char *codsim, *codzod, *tipnum, *numero;
        QString tipo, text;
    } cases[] = {
        {"0", "0", "T", "123", "Triple  ", "123"},
        {"0", "0", "M", "123456", "Tripleta", "123456"},
        {"0", "0", "L", "1234", "Doblete ", "1234"},
        {"0", "0", "R", "05", "Terminal", "05"},
        {"1", "0", "R", " 05 ", "Terminal", "05-Perico    "},
        {"1", "0", "R", "0a", "Terminal", "0-Cero      "},
        {"1", "0", "R", "99", "Terminal", "99-Nueve     "},           // named apart: stays
        {"2", "0", "R", "99", "Terminal", "0-" + QString(10, u' ')},  // named neither: "0"
        {"3", "0", "R", "99", "Terminal", "0-Ballena   "},           // named alike: "0"
        {"1", "0", "L", "0512", "Doblete ", "05-Per 12-Mar"},
        {"2", "0", "M", "990512", "Tripleta", "0-     05-Gat 12-   "},
        {"1", "0", "M", "0a9905", "Tripleta", "0-Cero 99-Nue 05-Per"},
        {"0", "1", "Z", "123A", "Tpl Zod ", "123  Aries      "},
        {"0", "2", "Z", "123A", "Tpl Zod ", "123  MedioCacho "},
        {"0", "0", "Y", "12C", "Ter Zod ", "12  Geminis    "},
        {"0", "2", "Y", "45B", "Ter Zod ", "45  ConCacho   "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tipnum << " " << c.numero << " set " << c.codsim);
        const PlayRow row{"LOTERIA DEL TACHIRA", c.codsim, c.codzod, c.tipnum, c.numero, "200000000"};
        EXPECT_EQ(play_line(row, tab, MonCtx()), QStringList({"LOTERIA DEL TAC", c.tipo, c.text, "         2"}));
    }
}

// The tickets of the date and the plays of the selected one: the last on opening, then
// following the selection by arrow keys or a click; a date without tickets asks for no
// plays; a date change leaves the focus in the tickets. Delete annuls the selected ticket
// by the annulment's rules while the user may annul (no header shown), then reloads and
// selects the last ticket again. A call lost once is retried; lost twice, both lists stay
// as they were and nothing follows; while the flag is set, a lost call shows nothing more.
// Esc closes.
TEST_F(ServicesTest, InquiryListsDeleteAndLostCalls)
{
    add_ticket(3000000123, "03", 0, {"05"}).total = 123456700000000;  // a number beyond 32 bits
    add_ticket(124, "03").state = Ticket::annulled;
    add_ticket(123, "03", 0, {"0512", "05", "12345"});  // a number of no known class after labelled ones
    add_ticket(125, "03", 1);
    auto* w = t->win<contix>("contix");
    w->show();
    EXPECT_EQ(w->pos(), contix::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
    EXPECT_EQ(w->lt_tick->header()->sectionSize(0), tw(contix::numero_width(3)));
    EXPECT_EQ(w->lt_nume->header()->sectionSize(0), tw(contix::loteria_width(3)));
    const auto look = [&](const QString& step) {
        const QTreeWidgetItem* current = w->lt_tick->currentItem();
        return ServicesTest::look(step, {"  tickets " + rows(w->lt_tick).join(", "),
                                         "  selected " + (current ? current->text(0) : "none") + ": " + rows(w->lt_nume).join(", "),
                                         QString("  focus in ") + w->focusWidget()->objectName() + (w->isVisible() ? ", shown" : ", hidden")});
    };
    QStringList got = look("opened");
    for (int up = 0; up < 2; ++up) {
        QTest::keyClick(w->lt_tick, Qt::Key_Up);
        got << look("Up");
    }
    QTest::mouseClick(w->lt_tick->viewport(), Qt::LeftButton, {}, w->lt_tick->visualItemRect(w->lt_tick->topLevelItem(2)).center());
    got << look("a click on the last");
    for (int days : {5, 1, 0}) {
        w->tx_fech->setFocus();
        w->tx_fech->setDate(today.addDays(-days));
        got << look(QString("%1 days before").arg(days));
    }

    const struct { int flg_anu; Qt::Key key; const char* lost; int fails, nocox; } cases[] = {
        {0, Qt::Key_Delete, "-", 0, 0},
        {1, Qt::Key_Delete, "dsptik", 2, 0},
        {1, Qt::Key_Delete, "anutix", 2, 0},
        {1, Qt::Key_Delete, "contik", 1, 0},
        {1, Qt::Key_Delete, "contik", 2, 0},
        {1, Qt::Key_End, "dettix", 1, 0},
        {1, Qt::Key_End, "dettix", 2, 0},
        {1, Qt::Key_End, "dettix", 1, 1},
        {1, Qt::Key_Delete, "-", 0, 0},
    };
    for (const auto& k : cases) {
        t.connect();
        t->ses_val.flg_anu = k.flg_anu;
        QTest::keyClick(w->lt_tick, Qt::Key_Home);
        t->flg_nocox = k.nocox;
        clear_log();
        t.srv->fail_next(k.fails, k.lost);
        QTest::keyClick(w->lt_tick, k.key);
        QTest::keyClick(w->lt_tick, Qt::Key_Return);  // no default button
        got << look(QString("%1, flg_anu %2, flag %3, %4 lost %5 times")
                        .arg(k.key == Qt::Key_End ? "End" : "Delete")
                        .arg(k.flg_anu)
                        .arg(k.nocox)
                        .arg(k.lost)
                        .arg(k.fails));
    }
    expect_golden(got, "inquiry.txt");
    QTest::keyClick(w->lt_tick, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

// A ticket number that is none (0, below 0, no number) refuses the day's list: nothing is
// listed and no ticket's plays are asked for under another number.
TEST_F(ServicesTest, InquiryListsOnlyTicketNumbers)
{
    namespace spoil = central::spoil;
    add_ticket(123, "03", 0, {"05"});
    add_ticket(124, "03", 0, {"12"});
    const struct { const char* name; central::Spoil spoil; bool listed; } cases[] = {
        {"a number below 0", spoil::column("numtik", -5, 1), false},
        {"number 0", spoil::column("numtik", 0, 0), false},
        {"no number", spoil::column("numtik", "cinco", 0), false},
        {"a number sent as text", spoil::column("numtik", "125", 1), true},
    };
    QStringList got;
    for (const auto& c : cases) {
        t.connect();
        clear_log();
        t.srv->spoil_next("contik", c.spoil);
        auto* w = t->win<contix>("contix");
        w->show();
        const QTreeWidgetItem* current = w->lt_tick->currentItem();
        got << look(c.name, {"  tickets " + rows(w->lt_tick).join(", "),
                             "  selected " + (current ? current->text(0) : "none") + ": " + rows(w->lt_nume).join(", ")});
        EXPECT_EQ(w->lt_tick->topLevelItemCount() > 0, c.listed) << c.name;
        t->unload("contix");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    expect_golden(got, "inquiry_numbers.txt");
}

} // namespace
