#include "core/shell/keepalive_windows.h"
#include "core/shell/report.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

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
                   int fail_after = -1; } cases[] = {
        {"one line", two, 1, 1, 0, 0},
        {"many lines, margin and feed", two, 1, 40000, 3, 2},
        {"no printer installed", {}, 0, 10, 0, 0},
        {"index names no printer", one, 1, 10, 0, 0},
        {"negative index", one, -1, 10, 0, 0},
        {"printer cannot be opened", one, 0, 10, 0, 0, true},
        {"line fails", one, 0, 10, 0, 0, false, 7},
        {"feed line fails", one, 0, 10, 0, 0, false, 12},
    };
    QStringList out;
    for (const auto& c : cases) {
        TestApp t;
        t.prn->printer_names = c.printers;
        t.prn->fail_start = c.fail_start;
        t.prn->fail_after_lines = c.fail_after;
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
                       .arg(d.lines.size() < 20 ? ": " + QStringList(d.lines).replaceInStrings("\f", "<end of page>").join('|') : "")
                       .arg(d.lines == want.mid(0, d.lines.size()) ? "as built" : "NOT as built").arg(d.ended);
    }
    expect_golden(out, "shell/report_print.txt");
}

} // namespace
