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

TEST(ReportPrint, PrintsEveryLineWithMarginAndFeed)
{
    for (const auto& [lines, marg, salt] : {std::tuple{1, 0, 0}, std::tuple{40000, 3, 2}}) {
        SCOPED_TRACE(lines);
        TestApp t;
        t.prn->printer_names = {"Laser", "Recibos"};
        t->cfg_reg.rep_nprn = 1;
        t->cfg_reg.rep_marg = marg;
        t->cfg_reg.rep_salt = salt;
        build(t->buf_rep, lines);

        rep_print(*t);

        ASSERT_EQ(t.prn->docs.size(), 1);
        const auto& doc = t.prn->docs[0];
        EXPECT_TRUE(doc.printer == 1 && doc.copies == 1 && doc.ended);
        QStringList want;
        for (int i = 0; i < lines; ++i)
            want << QString(marg, ' ') + QString("L%1").arg(i);
        want << QStringList(salt + 5, " ") << "\f";
        EXPECT_TRUE(doc.lines == want);  // 40 000 lines: no listing of them on failure
        EXPECT_TRUE(t.dlg->boxes.isEmpty());
        EXPECT_EQ(t.dlg->pointers, (QList<int>{plat::ptr_hourglass, plat::ptr_default}));
    }
}

TEST(ReportPrint, AnyFailureIsReported)
{
    const struct { const char* name; QStringList printers; int nprn; bool fail_start; int fail_after, printed; } cases[] = {
        {"no printer installed", {}, 0, false, -1, 0},
        {"index names no printer", {"Recibos"}, 1, false, -1, 0},
        {"negative index", {"Recibos"}, -1, false, -1, 0},
        {"printer cannot be opened", {"Recibos"}, 0, true, -1, 0},
        {"line fails", {"Recibos"}, 0, false, 7, 7},
        {"feed line fails", {"Recibos"}, 0, false, 12, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        t.prn->printer_names = c.printers;
        t.prn->fail_start = c.fail_start;
        t.prn->fail_after_lines = c.fail_after;
        t->cfg_reg.rep_nprn = c.nprn;
        build(t->buf_rep, 10);

        rep_print(*t);

        ASSERT_EQ(t.dlg->boxes.size(), 1);
        EXPECT_EQ(t.dlg->boxes[0].text, "Error de impresión." + QString(10, ' '));
        EXPECT_EQ(t.dlg->boxes[0].style, plat::mb_critical);
        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
        int printed = 0;
        for (const auto& d : t.prn->docs) {
            EXPECT_FALSE(d.ended);
            printed += int(d.lines.size());
        }
        EXPECT_EQ(printed, c.printed);
    }
}

} // namespace
