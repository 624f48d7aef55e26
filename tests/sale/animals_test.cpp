// The animal dialogs, opened by name over a sale window with an open ticket as a caller of
// theirs would (cod_rul 1), driven by the cashier's keys and clicks: a transcript of what
// each step shows and leaves in dlg_datos, and of the plays that reach the server. Then:
// no play type of the sale window opens them.
#include "core/shell/main_window.h"
#include "core/shell/show.h"
#include "sale/dialogs/simbold.h"
#include "sale/dialogs/simbol.h"
#include "tests/sale/sale_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QStyle>

namespace {

QString units(double u) { return QString::number(u * 1e8, 'f', 0); }
QString downs(int n) { return QString("<down>").repeated(n); }

// A list as the cashier sees it: the row under the cursor and the ticked rows.
QString list_state(const QListWidget* l)
{
    QStringList ticked;
    for (int r = 0; r < l->count(); ++r)
        if (l->item(r)->checkState() == Qt::Checked)
            ticked << QString::number(r + 1);
    return QString("%1 at %2 [%3]").arg(l->objectName()).arg(l->currentRow() + 1).arg(ticked.join(','));
}

// A click on a row of a list, scrolled into view: on its text, or on its check box.
void click(QListWidget* l, int row, bool on_box)
{
    l->scrollToItem(l->item(row));
    const QRect r = l->visualItemRect(l->item(row));
    const int margin = l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const int box = l->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, {on_box ? r.left() + margin + box / 2 : r.center().x(), r.center().y()});
}

// Each case opens one dialog on the sale window's open ticket, after a zodiac dialog left
// its number in dlg_num1. Steps: keys typed where the focus is; "~row:list:n" and
// "~box:list:n" click row n (from 1) of a list on its text or its check box; "~close"
// closes the window through its frame.
TEST(AnimalDialogs, Plays)
{
    const struct {
        const char* name;
        const char* dialog;
        int cod_rul;
        QString min, max;  // the animal plays' limits
        QStringList steps;
        QString num_min = units(1), num_max = units(1000);  // the number plays'
    } cases[] = {
        {"single: three animals ticked by keys, the amount typed on the list", "simbol", 1, units(1), units(500),
         {"7", downs(4) + " ", downs(6) + " ", downs(17) + " ", "1500", "<bs>", "<enter>"}},
        {"single: the last row, the mouse, a digit past the maximum dropped", "simbol", 1, units(1), units(500),
         {"<c-end>", " ", "~box:lt_simbol:2", "999", "<enter>", "<enter>"}},
        {"single: empty amount, the minimum offered", "simbol", 1, units(2), units(500), {" ", "<enter>", "<enter>"}},
        {"single: unticked with Space, then Esc", "simbol", 1, units(1), units(500),
         {" ", "<up>", " ", "5", "<@tx_mont>", "5", "<enter>", "<esc>"}},
        {"single: cod_rul 0", "simbol", 0, units(1), units(500), {"5", "<@tx_mont>", "5", "<enter>", "<esc>"}},
        // Amounts the number plays' limits allow, outside the animal plays' own.
        {"single: between the number plays' minimum and its own, refused", "simbol", 1, units(5), units(500),
         {" ", "3", "<enter>", "<enter>"}, units(1), units(1000)},
        {"single: in decimals, between its own maximum and the number plays', refused", "simbol", 1, units(0.5),
         units(5.5), {" ", "<@tx_mont>", "5.9", "<enter>", "<enter>"}, units(1), units(1000)},
        {"pair: two plays at one amount, then Esc", "simbold", 1, units(1), units(500),
         {downs(6), "<@lt_simbol2>", downs(24), "<@tx_mont>", "5", "<enter>", "<enter>", "<esc>"}},
        {"pair: the mouse, the same animal, the amount sent is the amount shown", "simbold", 1, units(10), units(500),
         {"~row:lt_simbol1:7", "~box:lt_simbol1:7", "~box:lt_simbol2:5",
          "~row:lt_simbol2:7", "1", "5", "<enter>", "<enter>", "<esc>"}},
        {"pair: the minimum offered, a digit past the maximum dropped", "simbold", 1, units(2), units(500),
         {"<enter>", "<@lt_simbol2>", "9999", "<enter>", "<enter>", "<esc>"}},
        {"pair: a list unticked, then closed", "simbold", 1, units(1), units(500),
         {"<@lt_simbol2>", " ", "5", "<@lt_simbol1>", "5", "<bs>", "5", "<enter>", "<@lt_simbol2>", "<down>", "<up>",
          "<enter>", "~close"}},
        {"pair: cod_rul 0", "simbold", 0, units(1), units(500), {"5", "<@tx_mont>", "5", "<enter>", "<esc>"}},
        {"triple: two plays, the same animal thrice, then Esc", "simbolt", 1, units(1), units(500),
         {downs(6), "<@lt_simbol2>", downs(24), "<@lt_simbol3>", downs(31), "<@tx_mont>", "2", "<enter>",
          downs(6), "<@lt_simbol2>", downs(6), "<@lt_simbol3>", downs(6), "<enter>", "<esc>"}},
        {"triple: a list unticked, refused amount", "simbolt", 1, units(1), units(500),
         {"<@lt_simbol3>", " ", "<enter>", " ", "<enter>", "<esc>"}},
    };
    EXPECT_EQ(simbol::place_for(9600), QPoint(33, 133));     // twips: 500, 2000
    EXPECT_EQ(simbol::place_for(9615), QPoint(100, 200));    // 1500, 3000
    EXPECT_EQ(simbold::place_for(9600), QPoint(7, 133));     // 100, 2000
    EXPECT_EQ(simbold::place_for(9615), QPoint(80, 200));    // 1200, 3000
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        r.model().set_param("JUGADA_MIS", c.min), r.model().set_param("JUGADA_MAS", c.max);
        r.model().set_param("JUGADA_MIN", c.num_min), r.model().set_param("JUGADA_MAX", c.num_max);
        ASSERT_TRUE(r.open());
        ani_table(r.t->vocab);
        r.report();
        transcript << QString("== ") + c.name;
        r.in_dialog = [&](SaleDialog* dialog) {
            auto* d = qobject_cast<AnimalDialog*>(dialog);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->pos(), d->objectName() == "simbol" ? simbol::place_for(SaleDialog::screen_twips())
                                                            : simbold::place_for(SaleDialog::screen_twips()));
            const QList<QListWidget*> lists = d->findChildren<QListWidget*>();
            const auto state = [&] {
                QStringList out;
                for (const QListWidget* l : lists)
                    out << list_state(l) + (l->hasFocus() ? "*" : "") + " " + l->palette().color(QPalette::Base).name();
                const DlgDatos& x = r.t->dlg_datos;
                QStringList sim;
                for (int i = 0; i < 32; ++i)
                    if (x.flg_sim[i])
                        sim << QString::number(i + 1);
                out << QString("amount \"%1\"%2 sel \"%3\"")
                           .arg(d->tx_mont->text(), d->tx_mont->hasFocus() ? "*" : "", d->tx_mont->selectedText())
                    << (d->isVisible() ? "open" : "closed")
                    << QString("num \"%1\" \"%2\" \"%3\" res \"%4\" mon \"%5\" sim [%6]")
                           .arg(x.dlg_num1, x.dlg_num2, x.dlg_num3, x.dlg_res, x.dlg_mon, sim.join(','));
                return out.join(" | ");
            };
            QStringList rows;
            for (const QListWidget* l : lists)
                rows << QString("%1 rows %2 %3").arg(l->objectName()).arg(l->count())
                            .arg(l->count() ? l->item(0)->text() + ".." + l->item(l->count() - 1)->text() : "");
            transcript << "open | " + rows.join(" | ") << "  " + state();
            for (const QString& step : c.steps) {
                if (step == "~close") {
                    d->close();
                } else if (step.startsWith('~')) {
                    const QStringList at = step.mid(1).split(':');
                    click(d->findChild<QListWidget*>(at[1]), at[2].toInt() - 1, at[0] == "box");
                } else {
                    type_keys(step);
                }
                transcript << "> " + step;
                for (const central::Call& call : std::exchange(r.t.srv->log, {}))
                    transcript << "  call " + call.proc + " " + args(call).join('|');
                for (const fake::Box& b : std::exchange(r.dlg().boxes, {}))
                    transcript << QString("  box %1 \"%2\"").arg(b.style).arg(b.text);
                transcript << "  " + state();
            }
        };
        r.t->dlg_datos.dlg_num1 = "123", r.t->dlg_datos.dlg_mon = "0";
        r.t->dlg_datos.cod_rul = c.cod_rul;
        show_modal(r.t->window(c.dialog));
        EXPECT_FALSE(r.t->is_loaded(c.dialog));
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "animals.txt");
}

// Whatever lotteries are ticked, no play type of the sale window, by key or by mouse, opens
// an animal dialog, and no menu item of the main window asks for one.
TEST(AnimalDialogs, NoWayIn)
{
    QStringList asked;
    const auto recorders = [&asked](App& app) {
        for (const char* name : {"simbol", "simbold", "simbolt"})
            app.register_window(name, [&asked, name](App&) -> QWidget* {
                asked << name;
                return nullptr;
            });
    };
    QStringList shown;
    for (const char* lot : {"001", "004", "005", "006", "007", "008", "011", "012"}) {
        SaleRig r;
        recorders(*r.t);
        r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES";
        ASSERT_TRUE(r.open());
        r.tick("001");
        r.enter("123<enter>1<enter>");  // a line: T, R and E open their dialogs
        for (const QChar key : QString("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
            r.lots(lot);
            r.enter(key);
        }
        for (int row = 10; row < r.w->lt_tipo->count(); ++row)
            r.w->lt_tipo_MouseDown(), r.w->lt_tipo->item(row)->setCheckState(Qt::Checked);
        shown << r.shown;
    }
    for (const char* reached : {"tertik:3", "signos:2", "signos2:2", "contix:8"})  // the keys reached the dialogs
        EXPECT_TRUE(shown.contains(reached)) << reached;
    EXPECT_EQ(shown.filter("simbol"), QStringList());
    EXPECT_EQ(asked, QStringList());

    TestApp t;
    recorders(*t);
    main_window w(*t);
    for (QAction* item : std::as_const(t->mnu))
        item->trigger();
    EXPECT_EQ(asked, QStringList());
}

} // namespace
