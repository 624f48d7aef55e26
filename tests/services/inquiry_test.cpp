// The ticket inquiry: its two lists, the play texts, Delete, and its calls.
#include "core/shell/show.h"
#include "services/inquiry_lines.h"
#include "services/inquiry_window.h"
#include "tests/services/tickets_fixture.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>

namespace {

using central::Ticket;

// Symbol sets: 1 names "0" and "99" apart, 2 has neither, 3 names both alike.
TabSim symbols()
{
    TabSim s;
    const QList<std::tuple<int, const char*, const char*>> rows = {
        {1, "05", "Perico"}, {1, "12", "Mariposa"}, {1, "0", "Cero"}, {1, "99", "Nueve"},
        {2, "05", "Gato"},   {3, "0", "Ballena"},   {3, "99", "Ballena"},
    };
    for (const auto& [set, code, name] : rows) {
        s.sim_cod << set;
        s.sim_num << code;
        s.sim_nom << name;
    }
    return s;
}

TEST(InquiryLines, PlayLineByClassSymbolAndSign)
{
    const TabSim tab = symbols();
    const MonCtx mon;
    const QString b10(10, u' ');
    const struct {
        const char* codsim;
        const char* codzod;
        const char* tipnum;
        const char* numero;
        QString tipo, numero_text;
    } cases[] = {
        {"0", "0", "T", "123", "Triple  ", "123"},
        {"0", "0", "M", "123456", "Tripleta", "123456"},
        {"0", "0", "L", "1234", "Doblete ", "1234"},
        {"0", "0", "R", "05", "Terminal", "05"},
        {"1", "0", "R", " 05 ", "Terminal", "05-Perico    "},
        {"1", "0", "R", "0a", "Terminal", "0-Cero      "},
        {"1", "0", "R", "99", "Terminal", "99-Nueve     "},   // named apart: stays 99
        {"2", "0", "R", "99", "Terminal", "0-" + b10},       // neither named: 0
        {"3", "0", "R", "99", "Terminal", "0-Ballena   "},   // named alike: 0
        {"1", "0", "L", "0512", "Doblete ", "05-Per 12-Mar"},
        {"2", "0", "M", "990512", "Tripleta", "0-     05-Gat 12-   "},
        {"1", "0", "M", "0a0512", "Tripleta", "0-Cero 05-Per 12-Mar"},
        {"1", "0", "M", "129905", "Tripleta", "12-Mar 99-Nue 05-Per"},
        {"0", "1", "Z", "123A", "Tpl Zod ", "123  Aries      "},
        {"0", "2", "Z", "123A", "Tpl Zod ", "123  MedioCacho "},
        {"0", "0", "Y", "12C", "Ter Zod ", "12  Geminis    "},
        {"0", "2", "Y", "45B", "Ter Zod ", "45  ConCacho   "},
        {"1", "0", "X", "05", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tipnum << " " << c.numero << " set " << c.codsim);
        const PlayRow row{"LOTO", c.codsim, c.codzod, c.tipnum, c.numero, "200000000"};
        EXPECT_EQ(play_line(row, tab, mon), QStringList({"LOTO", c.tipo, c.numero_text, "         2"}));
    }
    const PlayRow longname{"LOTERIA DEL TACHIRA", "0", "0", "T", "123", "0"};
    EXPECT_EQ(play_line(longname, tab, mon)[0], "LOTERIA DEL TAC");
}

class Inquiry : public TicketsTest {
public:
    contix* w = nullptr;
    QDate day = QDate::currentDate();

    void SetUp() override
    {
        TicketsTest::SetUp();
        t->tab_sim = symbols();
    }
    // Tickets of caja 03 on a date, with plays.
    Ticket& sell(qint64 numtik, const QDate& on, const QList<central::Play>& plays = {})
    {
        Ticket& tk = add_ticket(numtik, "03");
        tk.fecha = on;
        tk.plays = plays;
        return tk;
    }
    contix* open()
    {
        clear_log();
        w = t->win<contix>("contix");
        w->show();
        return w;
    }
    static QStringList rows(QTreeWidget* l)
    {
        QStringList out;
        for (int i = 0; i < l->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < l->columnCount(); ++c)
                cells << l->topLevelItem(i)->text(c);
            out << cells.join('|');
        }
        return out;
    }
    QString current() const { return w->lt_tick->currentItem() ? w->lt_tick->currentItem()->text(0) : "none"; }
    int width(QTreeWidget* l) const { return l->header()->sectionSize(0); }
};

TEST_F(Inquiry, OpensOnTheWorkingDateWithTheLastTicketAndItsPlays)
{
    central::Lottery tachira;
    tachira.codint = tachira.codlot = "801";
    tachira.nomlot = "LOTERIA DEL TACHIRA";
    tachira.codsim = 1;
    model().lotteries << tachira;
    sell(123, day, {{0, "801", "N", "0512", 200000000}, {1, "801", "N", "05", 100000000},
                    {2, "801", "N", "12345", 100000000}});  // a number of no known class
    sell(124, day).state = Ticket::annulled;
    sell(3000000123, day, {{0, "801", "N", "0a", 100000000}}).total = 123456700000000;
    sell(125, day.addDays(-1));
    open();

    EXPECT_EQ(calls(), QStringList({"contik:" + day.toString("yyyy-MM-dd") + "|001|03", "dettix:3000000123"}));
    EXPECT_EQ(rows(w->lt_tick), QStringList({"00000123|03|10:00:00|Normal|           5",
                                             "00000124|03|10:00:00|Anulado|           5",
                                             "3000000123|03|10:00:00|Normal|   1.234.567"}));
    EXPECT_EQ(current(), "3000000123");
    EXPECT_EQ(rows(w->lt_nume), QStringList{"LOTERIA DEL TAC|Terminal|0-Cero      |         1"});
    EXPECT_EQ(w->focusWidget(), w->lt_tick);
    EXPECT_EQ(width(w->lt_tick), 71);  // 1060 twips
    EXPECT_EQ(width(w->lt_nume), 133);
    EXPECT_EQ(w->lt_tick->headerItem()->text(4), "Total");
    EXPECT_EQ(w->lt_tick->topLevelItem(0)->textAlignment(4) & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(w->lt_nume->topLevelItem(0)->textAlignment(3) & Qt::AlignRight, Qt::AlignRight);

    // The plays follow the selected ticket, by arrow keys or a click; an unknown class has
    // no label of its own, also after a labelled line.
    clear_log();
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    EXPECT_EQ(calls(), QStringList({"dettix:124", "dettix:123"}));
    EXPECT_EQ(rows(w->lt_nume), QStringList({"LOTERIA DEL TAC|Doblete |05-Per 12-Mar|         2",
                                             "LOTERIA DEL TAC|Terminal|05-Perico    |         1",
                                             "LOTERIA DEL TAC|||         1"}));
    clear_log();
    const QRect last = w->lt_tick->visualItemRect(w->lt_tick->topLevelItem(2));
    QTest::mouseClick(w->lt_tick->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_EQ(calls(), QStringList{"dettix:3000000123"});

    // A date without tickets: both lists empty, no plays asked for, "Lotería" keeps its width.
    clear_log();
    w->tx_fech->setDate(day.addDays(-5));
    EXPECT_EQ(calls(), QStringList{"contik:" + day.addDays(-5).toString("yyyy-MM-dd") + "|001|03"});
    EXPECT_TRUE(rows(w->lt_tick).isEmpty());
    EXPECT_TRUE(rows(w->lt_nume).isEmpty());
    EXPECT_EQ(current(), "none");
    EXPECT_EQ(width(w->lt_nume), 133);

    // Another date reloads both lists and leaves the focus in the tickets.
    w->tx_fech->setFocus();
    clear_log();
    w->tx_fech->setDate(day.addDays(-1));
    EXPECT_EQ(calls(), QStringList({"contik:" + day.addDays(-1).toString("yyyy-MM-dd") + "|001|03", "dettix:125"}));
    EXPECT_EQ(rows(w->lt_tick), QStringList{"00000125|03|10:00:00|Normal|           5"});
    EXPECT_EQ(w->focusWidget(), w->lt_tick);

    EXPECT_EQ(contix::place_for(9600), QPoint(7, 73));
    EXPECT_EQ(contix::place_for(9615), QPoint(80, 120));
    EXPECT_EQ(w->pos(), contix::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
}

TEST_F(Inquiry, ColumnWidthsOnBothSidesOfEighteenRows)
{
    for (int n : {17, 18}) {
        SCOPED_TRACE(n);
        QList<central::Play> plays;
        for (int i = 0; i < n; ++i) {
            plays << central::Play{i, "801", "N", "123", 100000000};
            sell(1000 * n + i, day.addDays(-n), plays);
        }
        open();
        w->tx_fech->setDate(day.addDays(-n));
        EXPECT_EQ(w->lt_tick->topLevelItemCount(), n);
        EXPECT_EQ(w->lt_nume->topLevelItemCount(), n);
        EXPECT_EQ(width(w->lt_tick), n < 18 ? 71 : 53);  // 1060 and 800 twips
        EXPECT_EQ(width(w->lt_nume), n < 18 ? 133 : 116);  // 2000 and 1740 twips
    }
}

TEST_F(Inquiry, DeleteAnnulsTheSelectedTicketAndReloads)
{
    sell(123, day, {{0, "801", "N", "123", 100000000}});
    sell(124, day, {{0, "801", "N", "124", 100000000}});
    open();
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    EXPECT_EQ(current(), "00000123");

    // Not allowed: nothing called, nothing shown.
    t->ses_val.flg_anu = 0;
    clear_log();
    QTest::keyClick(w->lt_tick, Qt::Key_Delete);
    EXPECT_TRUE(calls().isEmpty());
    EXPECT_TRUE(boxes().isEmpty());

    // Allowed: the annulment's own messages, no header, then both lists reloaded with the
    // last ticket selected again.
    t->ses_val.flg_anu = 1;
    clear_log();
    QTest::keyClick(w->lt_tick, Qt::Key_Delete);
    const QString contik = "contik:" + day.toString("yyyy-MM-dd") + "|001|03";
    EXPECT_EQ(boxes(), QStringList({"¿Desea anular el ticket?" + k5 + "/33", "Ticket anulado." + k5 + "/64"}));
    EXPECT_EQ(calls(), QStringList({"dsptik:123", "anutix:123|001|03", contik, "dettix:124"}));
    EXPECT_EQ(rows(w->lt_tick), QStringList({"00000123|03|10:00:00|Anulado|           5",
                                             "00000124|03|10:00:00|Normal|           5"}));
    EXPECT_EQ(current(), "00000124");
    expect_clean();

    // Enter does nothing (no default button); other keys call nothing.
    clear_log();
    QTest::keyClick(w->lt_tick, Qt::Key_Return);
    QTest::keyClick(w->lt_tick, Qt::Key_A);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(Inquiry, LostConnectionsKeepBothLists)
{
    sell(123, day, {{0, "801", "N", "123", 100000000}});
    sell(124, day, {{0, "801", "N", "124", 100000000}});
    sell(125, day.addDays(-1));
    open();
    const QStringList tickets = rows(w->lt_tick), plays = rows(w->lt_nume);

    const struct {
        const char* proc;
        std::function<void(Inquiry&)> act;
    } cases[] = {
        {"contik", [](Inquiry& i) { i.w->tx_fech->setDate(i.w->tx_fech->date().addDays(-1)); }},
        {"dettix",
         [](Inquiry& i) { QTest::keyClick(i.w->lt_tick, i.w->lt_tick->currentIndex().row() ? Qt::Key_Up : Qt::Key_Down); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.proc);
        t.connect();
        w->tx_fech->setDate(day);  // back where it was, connected
        clear_log();
        t.srv->fail_next(2, k.proc);
        k.act(*this);
        EXPECT_EQ(boxes(), QStringList{kNoConexion + "/16"});
        EXPECT_EQ(t.srv->calls(k.proc).size(), 2);
        EXPECT_EQ(rows(w->lt_tick), tickets);
        EXPECT_EQ(rows(w->lt_nume), plays);
        expect_clean();

        // While the connection is lost: no retry, no message, neither list changes (the
        // first attempt only reopens the connection, the second is not read).
        clear_log();
        k.act(*this);
        k.act(*this);
        EXPECT_TRUE(boxes().isEmpty());
        EXPECT_EQ(t.srv->calls(k.proc).size(), 1);
        EXPECT_EQ(rows(w->lt_tick), tickets);
        EXPECT_EQ(rows(w->lt_nume), plays);
    }
}

TEST_F(Inquiry, ModalByNameClosedByEsc)
{
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        modal = m && m->objectName() == "contix";
        if (m)
            QTest::keyClick(m, Qt::Key_Escape);
    });
    show_modal(t->window("contix"));
    EXPECT_TRUE(modal);
    EXPECT_FALSE(t->is_loaded("contix"));
}

} // namespace
