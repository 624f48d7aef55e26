// The animal dialogs, opened by name over a sale window with an open ticket as a caller of
// theirs would (cod_rul 1), driven by the cashier's keys and clicks: a transcript of what
// each step shows and leaves in dlg_datos, and of the plays that reach the server. Then:
// no play type of the sale window opens them.
#include "core/shell/main_window.h"
#include "core/shell/show.h"
#include "sale/dialogs/simbold.h"
#include "sale/dialogs/simbol.h"
#include "tests/sale/sale_fixture.h"

namespace {

QString downs(int n) { return QString("<down>").repeated(n); }

// Each case opens one dialog on the sale window's open ticket, after a zodiac dialog left
// its number in dlg_num1.
TEST(AnimalDialogs, Plays)
{
    const struct {
        const char* name;
        const char* dialog;
        int cod_rul;
        QString min, max;
        QList<QStringList> openings;
    } cases[] = {
        {"single: three animals ticked by keys, the amount typed on the list", "simbol", 1, units(1), units(500),
         {{"7", downs(4) + " ", downs(6) + " ", downs(17) + " ", "1500", "<bs>", "<enter>"}}},
        {"single: the last row, the mouse, a digit past the maximum dropped", "simbol", 1, units(1), units(500),
         {{"<c-end>", " ", "~box lt_simbol 1", "999", "<enter>", "<enter>"}}},
        {"single: empty amount, the minimum offered", "simbol", 1, units(2), units(500), {{" ", "<enter>", "<enter>"}}},
        {"single: unticked with Space, then Esc", "simbol", 1, units(1), units(500),
         {{" ", "<up>", " ", "5", "<@tx_mont>", "5", "<enter>", "<esc>"}}},
        {"single: cod_rul 0", "simbol", 0, units(1), units(500), {{"5", "<@tx_mont>", "5", "<enter>", "<esc>"}}},
        {"pair: two plays at one amount, then Esc", "simbold", 1, units(1), units(500),
         {{downs(6), "<@lt_simbol2>", downs(24), "<@tx_mont>", "5", "<enter>", "<enter>", "<esc>"}}},
        {"pair: the mouse, the same animal, the amount sent is the amount shown", "simbold", 1, units(10), units(500),
         {{"~row lt_simbol1 6", "~box lt_simbol1 6", "~box lt_simbol2 4",
          "~row lt_simbol2 6", "1", "5", "<enter>", "<enter>", "<esc>"}}},
        {"pair: the minimum offered, a digit past the maximum dropped", "simbold", 1, units(2), units(500),
         {{"<enter>", "<@lt_simbol2>", "9999", "<enter>", "<enter>", "<esc>"}}},
        {"pair: a list unticked, then closed", "simbold", 1, units(1), units(500),
         {{"<@lt_simbol2>", " ", "5", "<@lt_simbol1>", "5", "<bs>", "5", "<enter>", "<@lt_simbol2>", "<down>", "<up>",
          "<enter>", "~close"}}},
        {"pair: cod_rul 0", "simbold", 0, units(1), units(500), {{"5", "<@tx_mont>", "5", "<enter>", "<esc>"}}},
        {"triple: two plays, the same animal thrice, then Esc", "simbolt", 1, units(1), units(500),
         {{downs(6), "<@lt_simbol2>", downs(24), "<@lt_simbol3>", downs(31), "<@tx_mont>", "2", "<enter>",
          downs(6), "<@lt_simbol2>", downs(6), "<@lt_simbol3>", downs(6), "<enter>", "<esc>"}}},
        {"triple: a list unticked, refused amount", "simbolt", 1, units(1), units(500),
         {{"<@lt_simbol3>", " ", "<enter>", " ", "<enter>", "<esc>"}}},
    };
    dialog_cases("animals.txt", cases, [](SaleRig& r, const auto& c) {
        r.model().set_param("JUGADA_MIS", c.min), r.model().set_param("JUGADA_MAS", c.max);
        r.open();
        ani_table(r.t->vocab);
        r.t->dlg_datos.dlg_num1 = "123", r.t->dlg_datos.dlg_mon = "0";
        r.t->dlg_datos.cod_rul = c.cod_rul;
    }, [](SaleRig& r, const auto& c) {
        show_modal(r.t->window(c.dialog));
        EXPECT_FALSE(r.t->is_loaded(c.dialog));
    });
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
    EXPECT_EQ(asked, QStringList());

    TestApp t;
    recorders(*t);
    main_window w(*t);
    for (QAction* item : std::as_const(t->mnu))
        item->trigger();
    EXPECT_EQ(asked, QStringList());
}

} // namespace
