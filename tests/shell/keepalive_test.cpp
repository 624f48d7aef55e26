// The main timer's keep-alive and message poll, the message window and the list of
// messages, the report viewer and the report print. The runs are golden transcripts
// (tests/golden/shell/).
#include "core/app/rule.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/mensajes.h"
#include "core/shell/report.h"
#include "core/shell/timers.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace {

central::Message message(int i, bool waiting = true)
{
    return {QString("2024-03-0%1").arg(i + 1), QString("1%1:00").arg(i), QString("Texto %1").arg(i), waiting};
}

struct KeepAlive : ::testing::Test {
    TestApp t;
    QTimer timer;
    QStringList captions;  // the flag and whether the timer ran, at every caption

    KeepAlive()
    {
        t.connect();
        register_keepalive_windows(*t);
        t->ses_val.cod_ven = "001";
        t->timers = &timer;
        t->main_caption = [this] { captions << QString::number(t->flg_nocox) + (timer.isActive() ? " timer on" : ""); };
    }
    // One tick, and what it left: the calls, reopens and captions since the last line.
    QString tick(const QString& name)
    {
        const int opens = t.srv->opens;
        t.srv->log.clear();
        captions.clear();
        timer.setInterval(1000);  // whatever it was, every tick leaves it at a minute
        timers_Timer(*t);
        return QString("%1: calls %2, reopens %3, captions [%4], flag %5, connection %6, timer %7 %8, boxes [%9], "
                       "pointers %10, params %11")
            .arg(name, calls_text(t.srv->log)).arg(t.srv->opens - opens).arg(captions.join(", ")).arg(t->flg_nocox)
            .arg(t->cox_bd.state() == db::adStateOpen ? "open" : "closed", timer.isActive() ? "on" : "off")
            .arg(timer.interval()).arg(boxes_text(*t.dlg), numbers(t.dlg->pointers))
            .arg(t->cmd_stacox.params().size() + t->cmd_getmen.params().size() + t->cmd_sp.params().size());
    }
};

// Each tick probes the server; a failed probe reopens the connection quietly and probes
// again; the flag follows. C: connected; D: session gone and the reopen refused; then each
// kind of failure. The poll comes on the first and every tenth connected tick (ticks
// without a connection are not counted); a poll that fails, answers no identifier or one
// that cannot be read shows nothing, not even the last message again.
TEST_F(KeepAlive, ProbesReconnectAndPollOnTheFirstAndEveryTenthConnectedTick)
{
    QStringList lines;
    const QString pattern = "CCCCCCCCCCC" "DD" "CCCCCCCCC" "D" "C";
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == 'D') {
            t.srv->drop_sessions();
            t.srv->fail_next_open(1);
        }
        lines << tick(QString("%1 %2").arg(i).arg(pattern[i]));
    }
    // From an open connection and the opposite flag, with no poll due.
    const struct { const char* name; int stacox_fails, open_fails; bool drop; int flag; } faults[] = {
        {"probe answers", 0, 0, false, 1},
        {"probe fails, reopen and retry succeed", 1, 0, false, 1},
        {"connection gone, reopen and retry succeed", 0, 0, true, 1},
        {"probe fails, reopen fails", 1, 1, false, 0},
        {"probe fails, retry fails", 2, 0, false, 0},
    };
    for (const auto& f : faults) {
        t.connect();
        t->flg_nocox = f.flag;
        t->men_srv.men_cont = 5;
        t.srv->fail_next(f.stacox_fails, "stacox");
        t.srv->fail_next_open(f.open_fails);
        if (f.drop)
            t.srv->drop_sessions();
        lines << tick(QString("%1, flag %2 before").arg(f.name).arg(f.flag));
    }
    QTimer closer;  // runs only inside a modal window's loop
    closer.callOnTimeout([&] {
        lines << "a message was shown";
        QApplication::activeModalWidget()->close();
    });
    closer.start(0);
    t.srv->model.outlet.messages << message(0);
    t.srv->fail_next(1, "getmen");
    t->men_srv.men_cod = "7";  // as a shown message left it
    t->men_srv.men_cont = 10;
    lines << tick("poll fails");
    t.srv->register_procedure("getmen", [](central::Request&) { return true; });
    t->men_srv.men_cod = "7";
    t->men_srv.men_cont = 10;
    lines << tick("poll answers nothing");
    t.srv->spoil_next("getmen", central::spoil::output(0, "uno"));
    t->men_srv.men_cod = "7";
    t->men_srv.men_cont = 10;
    lines << tick("poll answers a count that is no number");
    expect_golden(lines, "shell/keepalive.txt");
}

TEST_F(KeepAlive, MessageIsShownModallyAndTicksInsideItUpdateIt)
{
    t.srv->model.outlet.messages << message(4) << message(5);
    QObject guard;
    QStringList seen;
    QTimer::singleShot(0, &guard, [&] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        ASSERT_TRUE(w && w->objectName() == "mensaje");
        seen << QString("modal %1: ").arg(w->isModal()) + qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        for (int i = 0; i < 10; ++i)  // nine ticks count, the tenth polls again with the window open
            timers_Timer(*t);
        ASSERT_TRUE(w);
        seen << QString("same window %1: ").arg(QApplication::activeModalWidget() == w) +
                    qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        w->findChild<QPushButton*>("b_salir")->click();
    });
    timers_Timer(*t);
    EXPECT_EQ(seen, QStringList({"modal 1: Fecha : 05-03-2024\nHora  : 14:00\n\nTexto 4",
                                 "same window 1: Fecha : 06-03-2024\nHora  : 15:00\n\nTexto 5"}));
    EXPECT_EQ(t.srv->calls("getmen").size(), 2);
    EXPECT_FALSE(t->is_loaded("mensaje"));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(timer.isActive());
}

TEST(MessageText, DateShownDayMonthYear)
{
    for (const auto& [sent, shown] : {std::pair{"2024-03-05", "05-03-2024"}, std::pair{"05/03/2024", "05-03-2024"},
                                      std::pair{"sin fecha", "sin fecha"}})
        EXPECT_EQ(men_text(sent, "08:00", "T"), QString("Fecha : %1\r\nHora  : 08:00\r\n\r\nT").arg(shown)) << sent;
}

TEST_F(KeepAlive, MensajesListsTheOutletsMessages)
{
    t->ses_val.cod_ven = "007";
    QStringList lines;
    const struct { const char* name; int messages, dstmen_fails; central::Spoil spoil = {}; } cases[] = {
        {"three messages", 3, 0}, {"no messages", 0, 0}, {"connection lost", 2, 2},
        // The list only shows: every value as the server sent it, a null as nothing.
        {"a null text shows empty", 2, 0, central::spoil::column("texto", {}, 1)},
        {"a null date shows empty", 2, 0, central::spoil::column("fecmov", {}, 0)},
        {"a null time shows empty", 2, 0, central::spoil::column("hormov", {}, 1)},
        {"a date text of any form shows as sent", 2, 0, central::spoil::column("fecmov", "ayer", 0)},
        {"a date text of the other form shows as sent", 2, 0, central::spoil::column("fecmov", "05/03/2024", 0)},
        // A date sent as a date shows as the listings show dates.
        {"a date sent as a date", 2, 0, central::spoil::column("fecmov", QDate(2024, 3, 5), 1)},
        {"a date and time sent as a date", 2, 0, central::spoil::column("fecmov", QDateTime(QDate(2024, 3, 5), QTime(8, 30)), 1)},
        // An answer without a result set has no messages, as one without rows.
        {"no result set", 2, 0, central::spoil::no_result_set()},
    };
    for (const auto& [name, messages, dstmen_fails, spoil] : cases) {
        t.srv->model.outlet.messages.clear();
        for (int i = 0; i < messages; ++i)
            t.srv->model.outlet.messages << message(i, false);
        t.srv->fail_next(dstmen_fails, "dstmen");
        if (spoil)
            t.srv->spoil_next("dstmen", spoil);
        t.srv->log.clear();
        t.dlg->boxes.clear();
        auto* w = t->win<mensajes>("mensajes");
        lines << QString(name) + ": calls " + calls_text(t.srv->log) + ", boxes [" + boxes_text(*t.dlg) + "], pointer " +
                     QString::number(t.dlg->pointer()) + ", params " + QString::number(t->cmd_sp.params().size());
        for (int i = 0; i < w->lista->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = w->lista->topLevelItem(i);
            lines << "  " + item->text(0) + " | " + item->text(1) + " | " + item->text(2);
        }
        w->b_salir->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lines << QString("  loaded after Salir: %1").arg(t->is_loaded("mensajes"));
        t.connect();
    }
    expect_golden(lines, "shell/mensajes.txt");
}

// Builds a report of n lines the way every report builder does.
void build(BufRep& buf, int n)
{
    rep_reset(buf);
    buf.rep_lin[buf.rep_idx()] = "L0";
    for (int i = 1; i < n; ++i) {
        rep_addline(buf);
        buf.rep_lin[buf.rep_idx()] = QString("L%1").arg(i);
    }
}

TEST(ReportViewer, ShowsEveryLineInOneChildWindow)
{
    TestApp t;
    register_keepalive_windows(*t);
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.show();
    t->mdi = area;

    build(t->buf_rep, 40000);
    rep_show(*t);
    auto* w = t->win<reporte>("reporte");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(area->activeSubWindow()->widget(), w);
    // Columns line up: every character takes the same width.
    const QFontMetrics fm(w->lista->font());
    EXPECT_EQ(fm.horizontalAdvance('i'), fm.horizontalAdvance('W'));
    ASSERT_EQ(w->lista->count(), 40000);
    EXPECT_EQ(w->lista->item(0)->text(), "L0");
    EXPECT_EQ(w->lista->item(39999)->text(), "L39999");

    // The next report replaces the list in the same window, in its normal size however the
    // viewer was left.
    for (bool maximised : {true, false}) {
        QMdiSubWindow* frame = area->subWindowList().first();
        maximised ? frame->showMaximized() : frame->showMinimized();
        rep_reset(t->buf_rep);
        t->buf_rep.rep_lin[0] = "   SOLO   ";
        rep_show(*t);
        ASSERT_EQ(area->subWindowList().size(), 1);
        EXPECT_EQ(t->win<reporte>("reporte"), w);
        EXPECT_EQ(w->lista->count(), 1);
        EXPECT_EQ(w->lista->item(0)->text(), "   SOLO   ");
        EXPECT_FALSE(frame->isMaximized() || frame->isMinimized()) << maximised;
        EXPECT_TRUE(frame->isVisible());
    }

    // Salir takes the window and its frame.
    w->b_salir->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(t->is_loaded("reporte"));
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

// Every line with the margin, then the feed and an end of page, on the printer the settings
// name; any failure shows one message (a failed line leaves the lines before it printed).
TEST(ReportPrint, PrintsEveryLineWithMarginAndFeedOrReportsAnyFailure)
{
    const QStringList two{"Laser", "Recibos"}, one{"Recibos"};
    // fail_after: a line fails once this many were printed.
    const struct { const char* name; QStringList printers; int nprn; int lines, marg, salt; bool fail_start = false;
                   int fail_after = -1; bool fail_page = false, fail_doc = false; } cases[] = {
        {"one line", two, 1, 1, 0, 0},
        {"many lines, margin and feed", two, 1, 40000, 3, 2},
        {"no printer installed", {}, 0, 10, 0, 0},
        {"index names no printer", one, 1, 10, 0, 0},
        {"negative index", one, -1, 10, 0, 0},
        {"printer cannot be opened", one, 0, 10, 0, 0, true},
        {"line fails", one, 0, 10, 0, 0, false, 7},
        {"feed line fails", one, 0, 10, 0, 0, false, 12},
        {"page end fails", one, 0, 10, 0, 0, false, -1, true},
        {"job end fails", one, 0, 10, 0, 0, false, -1, false, true},
    };
    QStringList out;
    for (const auto& c : cases) {
        TestApp t;
        t.prn->printer_names = c.printers;
        t.prn->fail_start = c.fail_start;
        t.prn->fail_after_lines = c.fail_after;
        t.prn->fail_page = c.fail_page;
        t.prn->fail_doc = c.fail_doc;
        t->cfg_reg.rep_nprn = c.nprn;
        t->cfg_reg.rep_marg = c.marg;
        t->cfg_reg.rep_salt = c.salt;
        build(t->buf_rep, c.lines);
        rep_print(*t);
        QStringList want;
        for (int i = 0; i < c.lines; ++i)
            want << QString(c.marg, ' ') + QString("L%1").arg(i);
        want << QStringList(c.salt + 5, " ") << "\f";
        out << QString("%1: boxes [%2], pointers %3").arg(c.name, boxes_text(*t.dlg), numbers(t.dlg->pointers));
        for (const auto& d : t.prn->docs)
            out << QString("  printer %1, copies %2, %3 lines%4, %5, ended %6")
                       .arg(d.printer).arg(d.copies).arg(d.lines.size())
                       .arg(d.lines.size() < 20 ? ": " + QStringList(d.lines).replaceInStrings("\f", "<page end>").join('|')
                                                : "")
                       .arg(d.lines == want.mid(0, d.lines.size()) ? "as built" : "NOT as built").arg(d.ended);
    }
    expect_golden(out, "shell/report_print.txt");
}

} // namespace
