#include "core/shell/keepalive_windows.h"
#include "core/shell/report.h"
#include "core/shell/text_printer.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFontMetrics>
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

const QString print_error = QString("Error de impresión.") + QString(10, ' ');

TEST(ReportBuffer, ResetAndAddLine)
{
    BufRep buf;
    buf.rep_lin = {"old", "lines", "here"};
    rep_reset(buf);
    EXPECT_EQ(buf.rep_idx(), 0);
    EXPECT_EQ(buf.rep_lin, QStringList{""});
    buf.rep_lin[0] = "first";
    rep_addline(buf);
    EXPECT_EQ(buf.rep_idx(), 1);
    EXPECT_EQ(buf.rep_lin, (QStringList{"first", ""}));
}

TEST(ReportViewer, ShowsEveryLineInOneWindow)
{
    TestApp t;
    register_keepalive_windows(*t);
    build(t->buf_rep, 40000);
    rep_show(*t);
    auto* w = t->win<reporte>("reporte");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Reporte");
    // Columns line up: every character takes the same width.
    const QFontMetrics fm(w->lista->font());
    EXPECT_EQ(fm.horizontalAdvance('i'), fm.horizontalAdvance('W'));
    ASSERT_EQ(w->lista->count(), 40000);
    EXPECT_EQ(w->lista->item(0)->text(), "L0");
    EXPECT_EQ(w->lista->item(39999)->text(), "L39999");

    // The next report replaces the list in the same window.
    rep_reset(t->buf_rep);
    t->buf_rep.rep_lin[0] = "   SOLO   ";
    rep_show(*t);
    EXPECT_EQ(t->win<reporte>("reporte"), w);
    ASSERT_EQ(w->lista->count(), 1);
    EXPECT_EQ(w->lista->item(0)->text(), "   SOLO   ");

    w->b_salir->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(t->is_loaded("reporte"));
}

TEST(ReportViewer, IsAChildOfTheMainWindow)
{
    TestApp t;
    register_keepalive_windows(*t);
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.show();
    t->mdi = area;
    build(t->buf_rep, 3);

    rep_show(*t);
    rep_show(*t);
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(area->activeSubWindow()->widget(), t->window("reporte"));

    // The next report comes up in the normal size, however the viewer was left.
    for (bool maximised : {true, false}) {
        QMdiSubWindow* frame = area->subWindowList().first();
        maximised ? frame->showMaximized() : frame->showMinimized();
        rep_show(*t);
        EXPECT_FALSE(frame->isMaximized() || frame->isMinimized()) << maximised;
        EXPECT_TRUE(frame->isVisible());
    }

    // Salir closes the frame with the window.
    t->win<reporte>("reporte")->b_salir->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(t->is_loaded("reporte"));
    EXPECT_TRUE(area->subWindowList().isEmpty());

    // Unloading the window by name removes its frame too.
    rep_show(*t);
    ASSERT_EQ(area->subWindowList().size(), 1);
    t->unload("reporte");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST(ReportPrint, PrintsEveryLineWithMarginAndFeed)
{
    const struct {
        int lines, marg, salt;
    } cases[] = {{1, 0, 0}, {40000, 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        TestApp t;
        t.prn->printer_names = {"Laser", "Recibos"};
        t->cfg_reg.rep_nprn = 1;
        t->cfg_reg.rep_marg = c.marg;
        t->cfg_reg.rep_salt = c.salt;
        build(t->buf_rep, c.lines);

        rep_print(*t);

        ASSERT_EQ(t.prn->docs.size(), 1);
        const auto& doc = t.prn->docs[0];
        EXPECT_EQ(doc.printer, 1);
        EXPECT_EQ(doc.copies, 1);
        EXPECT_TRUE(doc.ended);
        const int feed = c.salt + 5;
        ASSERT_EQ(doc.lines.size(), c.lines + feed + 1);
        const QString margin(c.marg, ' ');
        for (int i = 0; i < c.lines; ++i)
            ASSERT_EQ(doc.lines[i], margin + QString("L%1").arg(i));
        for (int i = 0; i < feed; ++i)
            EXPECT_EQ(doc.lines[c.lines + i], " ");
        EXPECT_EQ(doc.lines.last(), "\f");
        EXPECT_TRUE(t.dlg->boxes.isEmpty());
        EXPECT_EQ(t.dlg->pointers, (QList<int>{plat::ptr_hourglass, plat::ptr_default}));
    }
}

TEST(ReportPrint, AnyFailureIsReported)
{
    struct Case {
        const char* name;
        QStringList printers;
        int nprn;
        bool fail_start;
        int fail_after;
        int printed;
    };
    const Case cases[] = {
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
        EXPECT_EQ(t.dlg->boxes[0].text, print_error);
        EXPECT_EQ(t.dlg->boxes[0].style, plat::mb_critical);
        EXPECT_EQ(t.dlg->boxes[0].title, "Tovaren");
        EXPECT_EQ(t.dlg->pointer(), plat::ptr_default);
        int printed = 0;
        for (const auto& d : t.prn->docs) {
            EXPECT_FALSE(d.ended);
            printed += int(d.lines.size());
        }
        EXPECT_EQ(printed, c.printed);
    }
}

TEST(TextPrinter, GoesOnPastAFailingLineAndRemembersIt)
{
    fake::Printers prn;
    prn.fail_after_lines = 1;
    TextPrinter p(prn);
    ASSERT_TRUE(p.start(0));
    EXPECT_TRUE(p.line("a", 2));
    EXPECT_FALSE(p.line("b"));
    EXPECT_TRUE(p.failed());
    EXPECT_TRUE(p.end());
    ASSERT_EQ(prn.docs.size(), 1);
    EXPECT_EQ(prn.docs[0].lines, (QStringList{"  a", "\f"}));
    EXPECT_TRUE(prn.docs[0].ended);
}

} // namespace
