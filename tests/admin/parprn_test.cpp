#include "admin/parprn.h"
#include "core/login/cfg_reg.h"
#include "core/shell/report.h"
#include "tests/admin/params_fixture.h"

#include <QPushButton>

namespace {

struct Printers : ParamsShell {
    explicit Printers(const QStringList& names) { t.prn->printer_names = names; }
};

TEST(Parprn, WithoutPrintersItSaysSoAndIsNotShown)
{
    Printers s{QStringList()};
    s.open<parprn>("par_prn", [](parprn* w) { EXPECT_FALSE(QApplication::activeModalWidget() || w); });
    EXPECT_EQ(s.t.dlg->texts(), QStringList({"No hay impresoras disponibles." + QString(10, ' ')}));
    EXPECT_EQ(s.t.dlg->boxes[0].style, plat::mb_exclamation);
    EXPECT_EQ(s.t->cfg_reg.rep_nprn, -1);
    EXPECT_FALSE(s.t->is_loaded("parprn") || s.t.reg->saved.size());
}

// Opened with the settings; the printer text is typed over and the focus leaves it, then
// "Aceptar" (or Esc when nothing is to be saved).
TEST(Parprn, OpensWithTheSettingsAndAceptarWritesThemInOrder)
{
    const struct { int nprn; const char *name, *opt; QStringList shown; const char* printer; QStringList saved; } cases[] = {
        {1, "", "1", {"Recibos", "NORMAL", "SI"}, "Recibos", {"1", "Recibos", "1", "1", "1"}},  // the first of two
        {5, "", "0", {"Laser", "COMPRIMIDA", "NO"}, "", {}},                                   // a printer was removed
        {0, "Recibos", "x", {"Recibos", "COMPRIMIDA", "NO"}, " Laser ", {"0", "Laser", "0", "0", "0"}},  // one added
        {2, "Ida", "1", {"Recibos", "NORMAL", "SI"}, "Reci", {"2", "Ida", "1", "1", "1"}},     // that one is gone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nprn);
        Printers s({"Laser", "Recibos", "Recibos"});
        auto& cfg = s.t->cfg_reg;
        cfg.rep_nprn = c.nprn;
        cfg.rep_impr = c.name;
        cfg.rep_letr = cfg.rep_codb = cfg.rep_cutt = c.opt;
        cfg.rep_salt = 3;
        s.open<parprn>("par_prn", [&](parprn* w) {
            ASSERT_TRUE(w);
            EXPECT_EQ(texts({w->tx_impr, w->tx_letr, w->tx_codb, w->tx_cutt, w->tx_salt, w->tx_marg}),
                      c.shown + QStringList({c.shown[2], "3", "0"}));
            expect_typed({{w->tx_marg, "a1 -2x3", "12"}, {w->tx_impr, "R", c.shown[0]}, {w->tx_codb, "S", c.shown[2]}});
            w->tx_impr->setEditText(c.printer);
            w->tx_impr_LostFocus();
            EXPECT_EQ(w->tx_impr->currentText(), QString(c.printer).trimmed() == "Reci" ? "" : QString(c.printer).trimmed());
            QTest::keyClick(w->tx_cutt, c.saved.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        EXPECT_EQ(cfg.rep_nprn, c.saved.isEmpty() ? 0 : c.saved[0].toInt());
        const QStringList& v = c.saved;
        EXPECT_EQ(s.saved(), v.isEmpty() ? QStringList() : QStringList({"rep_nprn=" + v[0], "rep_impr=" + v[1],
                             "rep_salt=3", "rep_marg=12", "rep_letr=" + v[2], "rep_codb=" + v[3], "rep_cutt=" + v[4]}));
    }
}

// The next print goes to the printer chosen, by its name while it is installed.
TEST(Parprn, PrintsGoToTheChosenPrinterByItsName)
{
    Printers s({"Laser", "Recibos"});
    s.open<parprn>("par_prn", [&](parprn* w) {
        ASSERT_TRUE(w);
        w->tx_impr->setCurrentText("Recibos");
        w->tx_salt->setText("2");
        w->tx_marg->setText("3");
        w->b_aceptar->click();
    });
    // Read back at the next start, with the printers installed by then.
    for (const auto& [names, printer] : {std::pair{QStringList{"Laser", "Recibos"}, 1}, {{"Nueva", "Laser", "Recibos"}, 2},
                                         {{"Laser", "Otra"}, -1}}) {
        s.t.prn->printer_names = names;
        s.t.prn->docs.clear();
        cfg_load(*s.t);
        rep_reset(s.t->buf_rep);
        s.t->buf_rep.rep_lin[0] = "TOTAL";
        rep_print(*s.t);
        ASSERT_EQ(s.t.prn->docs.size(), printer < 0 ? 0 : 1);
        if (printer >= 0) {
            EXPECT_EQ(s.t.prn->docs[0].printer, printer);
            EXPECT_EQ(s.t.prn->docs[0].lines, QStringList({"   TOTAL"}) + QStringList(7, " ") + QStringList({"\f"}));
        }
    }
    EXPECT_EQ(s.t.dlg->texts(), QStringList({"Error de impresión." + QString(10, ' ')}));
}

} // namespace
