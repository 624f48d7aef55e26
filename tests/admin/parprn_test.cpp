#include "admin/parprn.h"
#include "core/login/cfg_reg.h"
#include "core/shell/report.h"
#include "core/shell/text_printer.h"
#include "tests/admin/params_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kKeys = {"rep_nprn", "rep_impr", "rep_salt", "rep_marg", "rep_letr", "rep_codb", "rep_cutt"};

struct Printers : ParamsShell {
    explicit Printers(const QStringList& names = {"Laser", "Recibos", "Recibos"}) { t.prn->printer_names = names; }
    QStringList saved()
    {
        QStringList out;
        for (const auto& k : t.reg->saved)
            out << k + "=" + setting(k);
        return out;
    }
};

TEST(Parprn, WithoutPrintersItSaysSoAndIsNotShown)
{
    Printers s{QStringList()};
    s.open("par_prn", [](QWidget* m) { EXPECT_EQ(m, nullptr); });
    EXPECT_EQ(s.t.dlg->texts(), QStringList({"No hay impresoras disponibles." + QString(10, ' ')}));
    EXPECT_EQ(s.t.dlg->boxes[0].style, plat::mb_exclamation);
    EXPECT_FALSE(s.t->is_loaded("parprn"));
    EXPECT_EQ(s.t->cfg_reg.rep_nprn, -1);
    EXPECT_TRUE(s.t.reg->saved.isEmpty());
}

TEST(Parprn, OpensWithTheSettingsAndCancelKeepsThem)
{
    const struct { int nprn; const char* name; const char* letr; const char* opt; int memory; QStringList want; } cases[] = {
        {1, "", "1", "1", 1, {"Recibos", "NORMAL", "SI", "SI"}},
        {5, "", "0", "0", 0, {"Laser", "COMPRIMIDA", "NO", "NO"}},  // a printer was removed
        {-1, "", "x", "x", 0, {"Laser", "COMPRIMIDA", "NO", "NO"}},
        {0, "Recibos", "1", "0", 0, {"Recibos", "NORMAL", "NO", "NO"}},  // a printer was added before it
        {1, "Ida", "1", "0", 1, {"Recibos", "NORMAL", "NO", "NO"}},      // that printer is gone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nprn);
        Printers s;
        auto& cfg = s.t->cfg_reg;
        cfg.rep_nprn = c.nprn;
        cfg.rep_impr = c.name;
        cfg.rep_letr = c.letr;
        cfg.rep_codb = cfg.rep_cutt = c.opt;
        cfg.rep_salt = 3;
        cfg.rep_marg = 12;
        s.open("par_prn", [&](QWidget* m) {
            auto* w = qobject_cast<parprn*>(m);
            ASSERT_TRUE(w);
            EXPECT_EQ(w->windowTitle(), "Parámetros Impresora");
            EXPECT_EQ(w->tx_impr->count(), 3);
            EXPECT_EQ(QStringList({w->tx_impr->currentText(), w->tx_letr->currentText(), w->tx_codb->currentText(),
                                   w->tx_cutt->currentText()}),
                      c.want);
            EXPECT_EQ(w->tx_salt->text() + "/" + w->tx_marg->text(), "3/12");
            w->b_cancelar->click();
        });
        EXPECT_EQ(cfg.rep_nprn, c.memory);
        EXPECT_TRUE(s.t.reg->saved.isEmpty());
    }
}

TEST(Parprn, AceptarWritesTheSettingsInOrder)
{
    const struct { const char* printer; const char* salt; const char* letr; const char* opt; QStringList want; } cases[] = {
        {"Recibos", "99", "NORMAL", "SI", {"1", "Recibos", "99", "4", "1", "1", "1"}},  // the first of two
        {"", "", "COMPRIMIDA", "NO", {"2", "Viejo", "3", "4", "0", "0", "0"}},
        {"Laser", "0", "", "", {"0", "Laser", "0", "4", "0", "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printer);
        Printers s;
        s.t->cfg_reg.rep_nprn = 2;
        s.t->cfg_reg.rep_impr = "Viejo";
        s.t->cfg_reg.rep_salt = 3;
        s.open("par_prn", [&](QWidget* m) {
            auto* w = qobject_cast<parprn*>(m);
            ASSERT_TRUE(w);
            w->tx_impr->setCurrentText(c.printer);
            w->tx_salt->setText(c.salt);
            w->tx_marg->setText("4");
            w->tx_letr->setCurrentText(c.letr);
            w->tx_codb->setCurrentText(c.opt);
            w->tx_cutt->setCurrentText(c.opt);
            QTest::keyClick(w->tx_cutt, Qt::Key_Return);
            EXPECT_FALSE(w->isVisible());
        });
        QStringList want;
        for (int i = 0; i < kKeys.size(); ++i)
            want << kKeys[i] + "=" + c.want[i];
        EXPECT_EQ(s.saved(), want);
        EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
    }
}

TEST(Parprn, TypedKeysAndLeavingThePrinterField)
{
    Printers s;
    auto* w = s.t->win<parprn>("parprn");
    const struct { QWidget* field; const char* typed; const char* want; } cases[] = {
        {w->tx_salt, "a1 -2x3", "12"}, {w->tx_marg, "+7", "7"}, {w->tx_impr, "R", "Laser"}, {w->tx_letr, "N", "COMPRIMIDA"},
        {w->tx_codb, "S", "NO"},       {w->tx_cutt, "1", "NO"},
    };
    for (const auto& c : cases) {
        auto* box = qobject_cast<QComboBox*>(c.field);
        QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(c.field);
        if (!box)
            edit->clear();
        QTest::keyClicks(c.field, c.typed);
        EXPECT_EQ(edit->text(), c.want) << qPrintable(c.field->objectName());
    }
    for (const auto& [text, want] : {std::pair{" Recibos ", "Recibos"}, std::pair{"Reci", ""}}) {
        w->tx_impr->setEditText(text);
        w->tx_impr_LostFocus();
        EXPECT_EQ(w->tx_impr->currentText(), want);
    }
}

// The next print goes to the printer chosen, by its name while it is installed.
TEST(Parprn, PrintsGoToTheChosenPrinterByItsName)
{
    Printers s({"Laser", "Recibos"});
    s.open("par_prn", [&](QWidget* m) {
        auto* w = qobject_cast<parprn*>(m);
        ASSERT_TRUE(w);
        w->tx_impr->setCurrentText("Recibos");
        w->tx_salt->setText("2");
        w->tx_marg->setText("3");
        w->b_aceptar->click();
    });
    // Read back at the next start, with the printers as they are by then.
    const struct { QStringList names; int printer; } cases[] = {
        {{"Laser", "Recibos"}, 1}, {{"Agregada", "Laser", "Recibos"}, 2}, {{"Laser", "Otra"}, -1},
    };
    for (const auto& c : cases) {
        s.t.prn->printer_names = c.names;
        s.t.prn->docs.clear();
        s.t.dlg->boxes.clear();
        cfg_load(*s.t);
        rep_reset(s.t->buf_rep);
        s.t->buf_rep.rep_lin[0] = "TOTAL";
        rep_print(*s.t);
        if (c.printer < 0) {
            EXPECT_EQ(s.t.dlg->texts(), QStringList({"Error de impresión." + QString(10, ' ')}));
            EXPECT_TRUE(s.t.prn->docs.isEmpty());
            continue;
        }
        ASSERT_EQ(s.t.prn->docs.size(), 1);
        EXPECT_EQ(s.t.prn->docs[0].printer, c.printer);
        EXPECT_EQ(s.t.prn->docs[0].lines, QStringList({"   TOTAL"}) + QStringList(7, " ") + QStringList({"\f"}));
    }
    // Settings of before, without a name: the position alone.
    EXPECT_EQ(prn_index({"A", "B"}, 1, ""), 1);
    EXPECT_EQ(prn_index({"A"}, 3, ""), 3);
}

} // namespace
