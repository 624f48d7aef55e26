// The ticket inquiry: the play texts, its two lists, Delete, and its calls.
#include "core/shell/show.h"
#include "services/inquiry_lines.h"
#include "services/inquiry_window.h"
#include "tests/services/tickets_fixture.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

using central::Ticket;

// Symbol sets: 1 names "0" and "99" apart, 2 has neither, 3 names both alike.
TabSim symbols()
{
    TabSim s;
    for (const auto& [set, code, name] : QList<std::tuple<int, QString, QString>>{
             {1, "05", "Perico"}, {1, "12", "Mariposa"}, {1, "0", "Cero"}, {1, "99", "Nueve"},
             {2, "05", "Gato"}, {3, "0", "Ballena"}, {3, "99", "Ballena"}}) {
        s.sim_cod << set;
        s.sim_num << code;
        s.sim_nom << name;
    }
    return s;
}

TEST(InquiryLines, PlayLineByClassSymbolAndSign)
{
    const TabSim tab = symbols();
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
        {"1", "0", "X", "05", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tipnum << " " << c.numero << " set " << c.codsim);
        const PlayRow row{"LOTERIA DEL TACHIRA", c.codsim, c.codzod, c.tipnum, c.numero, "200000000"};
        EXPECT_EQ(play_line(row, tab, MonCtx()), QStringList({"LOTERIA DEL TAC", c.tipo, c.text, "         2"}));
    }
}

class Inquiry : public TicketsTest {
public:
    contix* w = nullptr;

    // A ticket of caja 03 on a date, with plays of lottery 801 (not in the catalogue).
    Ticket& sell(qint64 numtik, const QDate& on, const QStringList& numbers = {})
    {
        Ticket& tk = add_ticket(numtik, "03");
        tk.fecha = on;
        for (const auto& n : numbers)
            tk.plays << central::Play{int(tk.plays.size()), "801", "N", n, 100000000};
        return tk;
    }
    void open()
    {
        clear_log();
        w = t->win<contix>("contix");
        w->show();
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
    static int width(QTreeWidget* l) { return l->header()->sectionSize(0); }
    QString contik(const QDate& d) const { return "contik:" + d.toString("yyyy-MM-dd") + "|001|03"; }
};

TEST_F(Inquiry, TicketsOfTheDateAndThePlaysOfTheSelectedOne)
{
    sell(123, today, {"0512", "05", "12345"});  // the last, a number of no known class
    sell(124, today).state = Ticket::annulled;
    sell(3000000123, today, {"123A"}).total = 123456700000000;
    sell(125, today.addDays(-1));
    open();
    EXPECT_EQ(calls(), QStringList({contik(today), "dettix:3000000123"}));
    EXPECT_EQ(rows(w->lt_tick), QStringList({"00000123|03|10:00:00|Normal|           5",
                                             "00000124|03|10:00:00|Anulado|           5",
                                             "3000000123|03|10:00:00|Normal|   1.234.567"}));
    EXPECT_EQ(current(), "3000000123");
    EXPECT_EQ(w->focusWidget(), w->lt_tick);
    EXPECT_EQ(rows(w->lt_nume), QStringList{"801|Tpl Zod |123  Aries      |         1"});
    EXPECT_EQ(w->lt_nume->topLevelItem(0)->textAlignment(3), Qt::AlignRight | Qt::AlignVCenter);

    // The plays follow the selection, by arrow keys or a click; no label of its own for an
    // unknown class, also after a labelled line.
    clear_log();
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    const QRect last = w->lt_tick->visualItemRect(w->lt_tick->topLevelItem(2));
    QTest::mouseClick(w->lt_tick->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_EQ(calls(), QStringList({"dettix:124", "dettix:123", "dettix:3000000123"}));
    QTest::keyClick(w->lt_tick, Qt::Key_Home);
    EXPECT_EQ(rows(w->lt_nume),
              QStringList({"801|Doblete |0512|         1", "801|Terminal|05|         1", "801|||         1"}));

    // A date without tickets: both lists empty, no plays asked for; another date reloads
    // and leaves the focus in the tickets.
    clear_log();
    w->tx_fech->setDate(today.addDays(-5));
    EXPECT_EQ(calls(), QStringList{contik(today.addDays(-5))});
    EXPECT_EQ(rows(w->lt_tick) + rows(w->lt_nume), QStringList());
    EXPECT_EQ(current(), "none");
    w->tx_fech->setFocus();
    w->tx_fech->setDate(today.addDays(-1));
    EXPECT_EQ(calls().mid(1), QStringList({contik(today.addDays(-1)), "dettix:125"}));
    EXPECT_EQ(w->focusWidget(), w->lt_tick);

    EXPECT_EQ(contix::place_for(9600), QPoint(7, 73));
    EXPECT_EQ(contix::place_for(9615), QPoint(80, 120));
    EXPECT_EQ(w->pos(), contix::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
}

TEST_F(Inquiry, ColumnWidthsOnBothSidesOfEighteenRows)
{
    open();
    EXPECT_EQ(width(w->lt_nume), 100);  // 1500 twips until plays are loaded
    for (int n : {0, 17, 18}) {
        SCOPED_TRACE(n);
        for (int i = 0; i < n; ++i)
            sell(1000 * n + i, today.addDays(-1 - n), QStringList(i + 1, "123"));
        w->tx_fech->setDate(today.addDays(-1 - n));
        EXPECT_EQ(w->lt_nume->topLevelItemCount(), n);
        EXPECT_EQ(width(w->lt_tick), n < 18 ? 71 : 53);   // 1060 and 800 twips
        EXPECT_EQ(width(w->lt_nume), n == 0 ? 100 : n < 18 ? 133 : 116);  // kept; 2000 and 1740
    }
}

TEST_F(Inquiry, DeleteAnnulsTheSelectedTicketAndReloads)
{
    sell(123, today, {"05"});
    sell(124, today, {"12"});
    open();
    QTest::keyClick(w->lt_tick, Qt::Key_Up);
    for (int flg_anu : {0, 1}) {
        SCOPED_TRACE(flg_anu);
        t->ses_val.flg_anu = flg_anu;
        clear_log();
        QTest::keyClick(w->lt_tick, Qt::Key_Delete);
        QTest::keyClick(w->lt_tick, Qt::Key_Return);  // no default button
        EXPECT_EQ(boxes(), flg_anu ? QStringList({box("¿Desea anular el ticket?", 33), box("Ticket anulado.", 64)})
                                   : QStringList());
        EXPECT_EQ(calls(), flg_anu ? QStringList({"dsptik:123", "anutix:123|001|03", contik(today), "dettix:124"})
                                   : QStringList());
        EXPECT_EQ(rows(w->lt_tick)[0], QString("00000123|03|10:00:00|%1|           5").arg(flg_anu ? "Anulado" : "Normal"));
        EXPECT_EQ(current(), flg_anu ? "00000124" : "00000123");
        EXPECT_TRUE(w->isVisible());
        expect_clean();
    }
}

TEST_F(Inquiry, LostConnectionsKeepBothLists)
{
    sell(123, today, {"05"});
    sell(124, today, {"12"});
    open();
    const QStringList shown = rows(w->lt_tick) + rows(w->lt_nume);
    const std::pair<const char*, std::function<void(Inquiry&)>> cases[] = {
        {"contik", [](Inquiry& i) { i.w->tx_fech->setDate(i.w->tx_fech->date().addDays(-1)); }},
        {"dettix", [](Inquiry& i) { QTest::keyClick(i.w->lt_tick, i.w->lt_tick->currentIndex().row() ? Qt::Key_Up : Qt::Key_Down); }},
    };
    for (const auto& [proc, act] : cases) {
        SCOPED_TRACE(proc);
        t.connect();
        w->tx_fech->setDate(today);  // connected: as it opened
        clear_log();
        t.srv->fail_next(2, proc);
        act(*this);
        EXPECT_EQ(boxes(), QStringList{kLostBox});
        EXPECT_EQ(t.srv->calls(proc).size(), 2);
        EXPECT_EQ(rows(w->lt_tick) + rows(w->lt_nume), shown);
        expect_clean();
        // Lost: no retry, no message, no list changes (the first attempt only reopens the
        // connection, the second is not read).
        clear_log();
        act(*this);
        act(*this);
        EXPECT_EQ(boxes(), QStringList());
        EXPECT_EQ(t.srv->calls(proc).size(), 1);
        EXPECT_EQ(rows(w->lt_tick) + rows(w->lt_nume), shown);
    }
}

TEST_F(Inquiry, ModalByNameClosedByEsc)
{
    QString modal;
    QTimer::singleShot(0, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            modal = m->objectName();
            QTest::keyClick(m, Qt::Key_Escape);
        }
    });
    show_modal(t->window("contix"));
    EXPECT_EQ(modal, "contix");
    EXPECT_FALSE(t->is_loaded("contix"));
}

} // namespace
