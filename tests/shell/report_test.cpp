#include "core/shell/keepalive_windows.h"
#include "core/shell/report.h"
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

TEST(ReportPrint, PrintsEveryLineWithMarginAndFeedOrReportsAnyFailure)
{
    // fail_after: a line fails once this many were printed.
    const QStringList two{"Laser", "Recibos"}, one{"Recibos"};
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        t.prn->printer_names = c.printers;
        t.prn->fail_start = c.fail_start;
        t.prn->fail_after_lines = c.fail_after;
        t->cfg_reg.rep_nprn = c.nprn;
        t->cfg_reg.rep_marg = c.marg;
        t->cfg_reg.rep_salt = c.salt;
        build(t->buf_rep, c.lines);

        rep_print(*t);

        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
        const bool fails = c.nprn < 0 || c.nprn >= c.printers.size() || c.fail_start || c.fail_after >= 0;
        if (fails) {
            ASSERT_EQ(t.dlg->boxes.size(), 1);
            EXPECT_EQ(t.dlg->boxes[0].text, "Error de impresión." + QString(10, ' '));
            EXPECT_EQ(t.dlg->boxes[0].style, plat::mb_critical);
            EXPECT_EQ(t.prn->docs.size(), c.fail_after >= 0 ? 1 : 0);
            EXPECT_TRUE(t.prn->docs.isEmpty() || (!t.prn->docs[0].ended && t.prn->docs[0].lines.size() == c.fail_after));
            continue;
        }
        ASSERT_EQ(t.prn->docs.size(), 1);
        const auto& doc = t.prn->docs[0];
        EXPECT_TRUE(doc.printer == 1 && doc.copies == 1 && doc.ended);
        QStringList want;
        for (int i = 0; i < c.lines; ++i)
            want << QString(c.marg, ' ') + QString("L%1").arg(i);
        want << QStringList(c.salt + 5, " ") << "\f";
        EXPECT_TRUE(doc.lines == want);  // 40 000 lines: no listing of them on failure
        EXPECT_TRUE(t.dlg->boxes.isEmpty());
        EXPECT_EQ(t.dlg->pointers, (QList<int>{plat::ptr_hourglass, plat::ptr_default}));
    }
}

} // namespace
