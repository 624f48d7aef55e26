// The outlet parameters and the printer settings: what they show, what they save, and how
// the save survives a lost connection.
#include "admin/parprn.h"
#include "admin/parsys.h"
#include "core/login/cfg_reg.h"
#include "core/shell/report.h"
#include "tests/admin/fixture.h"

namespace {

using Rows = QList<QPair<QString, QString>>;

const QStringList kSent = {"TVENCE_TIK", "JUGADA_MIN", "JUGADA_MIZ", "JUGADA_MIS", "JUGADA_MAX",
                           "JUGADA_MAZ", "JUGADA_MAS", "VENTIK_MIN", "VENTIK_MAX", "ANUTIK_VEN"};

// Stored units of 1/100000000; a lower-case key and a repeated one among them.
const Rows kRows = {{"TVENCE_TIK", " 3 "}, {"JUGADA_MIN", "100000000"}, {"JUGADA_MIZ", "50000000"},
                    {"JUGADA_MIS", "200000000"}, {"JUGADA_MAX", "100000000000"}, {"JUGADA_MAZ", "50000000"},
                    {"JUGADA_MAS", "150000000"}, {"VENTIK_MIN", "10000000"}, {"VENTIK_MAX", "1"}, {"ANUTIK_VEN", "1"},
                    {"JUGMIN_SYS", "10000000/1000000000"}, {"JUGMAX_SYS", "100000000/100000000000"},
                    {"TIKMIN_SYS", "10000000/1000000000"}, {"TIKMAX_SYS", "100000000000/5000000000000"},
                    {"jugada_min", "7"}, {"VENTIK_MAX", "1000000000000"}};

struct Params : AdminShell {
    explicit Params(const QString& caja = "00", const Rows& rows = kRows, double mod_sys = 1e8, bool dec = false)
        : AdminShell(caja)
    {
        model().outlet.params = rows;
        t->ses_val.mod_sys = t->ses_val.jug_sys = mod_sys;
        t->lim_vta.flg_dec = dec;
    }
    parsys* load() { return t->win<parsys>("parsys"); }
    static QList<QWidget*> amounts(parsys* w)
    {
        return {w->tx_jmin, w->tx_jmiz, w->tx_jmis, w->tx_jmax, w->tx_jmaz, w->tx_jmas, w->tx_tmin, w->tx_tmax};
    }
    static QList<QWidget*> others(parsys* w)
    {
        return {w->tx_codv, w->tx_serx, w->tx_nomb, w->tx_vent, w->tx_mens, w->tx_anut,
                w->tx_modv, w->tx_zord, w->tx_rlot, w->tx_enca, w->tx_juga, w->tx_simb};
    }
    // The actpaq calls: "outlet KEY value".
    QStringList sent() const { return calls_since(*t.srv, 0, "actpaq"); }
};

// Opened from the menu: the server's parameters, the settings, the cashier's locks and the
// keys each field takes; Esc saves nothing.
TEST(Parsys, OpensFromTheMenuWithTheServersParametersTheSettingsAndTheCashiersLocks)
{
    const struct { const char* caja; int ord_lot; const char *modv, *other, *anut; QStringList want; } cases[] = {
        {"00", 1, "1", "1", "1", {"NO", "ANIMALITOS", "NOMBRE", "NO", "SI", "DETALLADO", "NUMERO/NOMBRE"}},
        {"00", -1, "5", "x", "1", {"NO", "", "HORA", "NO", "NO", "NO IMPRIMIR", "SOLO NOMBRE"}},
        {"01", 0, "2", "0", "0", {"SI", "TRIPLE/TERMINAL", "HORA", "SI", "NO", "NO IMPRIMIR", "SOLO NUMERO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.other);
        Params s(c.caja, Rows(kRows) << QPair<QString, QString>{"ANUTIK_VEN", c.anut});
        auto& cfg = s.t->cfg_reg;
        s.t->ses_val.ord_lot = c.ord_lot;
        cfg.sys_mens = "  GRACIAS  ";
        cfg.sys_modv = c.modv;
        cfg.sys_rlot = cfg.rep_enca = cfg.rep_juga = cfg.rep_simb = c.other;
        EXPECT_NE(s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
            EXPECT_EQ(texts(Params::amounts(w)), QStringList({"1", "0.50", "2", "1.000", "0.50", "1.50", "0.10", "10.000"}));
            EXPECT_EQ(texts(Params::others(w)), QStringList({"001", "0305419896", "AGENCIA UNO", "3", "GRACIAS"}) + c.want);
            QString on;  // the outlet locked; expiry, message and annulment for the supervisor only
            for (QWidget* f : Params::others(w))
                on += f->isEnabled() ? 'e' : '.';
            EXPECT_EQ(on, QString(c.caja) == "00" ? "...eeeeeeeee" : "......eeeeee");
            if (QString(c.caja) == "00")  // the keys each field takes
                expect_typed({{w->tx_mens, "gracias, 2 x-y!", "GRACIAS 2 XY"}, {w->tx_vent, "a1.2x3", "12"},
                              {w->tx_jmin, "5a.", "1"}, {w->tx_anut, "SI", c.want[0]}, {w->tx_simb, "1", c.want[6]},
                              {w->tx_zord, "X", c.want[2] + "X"}});
            QTest::keyClick(w->tx_jmin, Qt::Key_Escape);
        }), "");
        // Cancelled: nothing saved, but the limits keep the server's values (the last row wins).
        const auto& l = s.t->lim_vta;
        EXPECT_EQ(QStringList({l.dia_vence, l.jug_min, l.jug_miz, l.jug_mas, l.vta_max, s.t->ses_val.anu_ven}),
                  QStringList({" 3 ", "100000000", "50000000", "150000000", "1000000000000", c.anut}));
        EXPECT_EQ(s.t.srv->procs(), QStringList({"getpaq"}));
        EXPECT_FALSE(s.t.reg->saved.size() || s.t->is_loaded("parsys"));
    }
}

TEST(Parsys, AmountListsOfferTheAmountsWithinTheServersBounds)
{
    const QStringList sub = {"0.01", "0.02", "0.05", "0.10", "0.20", "0.50"}, to50 = {"1", "2", "5", "10", "20", "50"};
    const struct { Rows bounds; bool dec; double mod_sys; QStringList min, max, tmin, tmax; } cases[] = {
        {{{"JUGMIN_SYS", "100000000/5000000000"}, {"TIKMAX_SYS", "1000000000000000/5000000000000000"}}, false, 1e8,
         to50, {}, sub.mid(3), {"10.000.000", "20.000.000", "50.000.000"}},
        {{{"JUGMIN_SYS", "1000000/200000000"}, {"TIKMIN_SYS", "1000000/100000000"}}, false, 1e8,
         sub + QStringList{"1", "2"}, {}, sub.mid(3) << "1", {}},
        {{{"JUGMIN_SYS", "5000000/20000000"}, {"TIKMIN_SYS", "20000000/50000000"}}, false, 1e8,
         {"0.05", "0.10", "0.20"}, {}, {"0.20", "0.50"}, {}},
        {{{"JUGMIN_SYS", "abc/x"}, {"JUGMAX_SYS", "100000000000"}, {"TIKMIN_SYS", ""}}, false, 1e8,
         sub, to50 + QStringList{"100", "200", "500", "1.000"}, sub.mid(3), {}},
        {{{"JUGMAX_SYS", "50000000000/100000000000"}, {"TIKMAX_SYS", "200000000000/"}}, true, 1e8,
         sub, {"500", "1000"}, sub.mid(3), {}},
        {{{"JUGMIN_SYS", "1/2000"}, {"JUGMAX_SYS", "0/500"}}, false, 100,
         sub + QStringList{"1", "2", "5", "10", "20"}, {"1", "2", "5"}, sub.mid(3), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bounds[0].second.toStdString());
        Params s("00", kRows.mid(0, 10) + c.bounds, c.mod_sys, c.dec);  // the values, then these bounds only
        const QList<QWidget*> boxes = Params::amounts(s.load());
        for (int i = 0; i < 8; ++i) {
            auto* b = static_cast<QComboBox*>(boxes[i]);
            QStringList entries;
            for (int k = 0; k < b->count(); ++k)
                entries << b->itemText(k);
            EXPECT_EQ(entries, i < 3 ? c.min : i < 6 ? c.max : i == 6 ? c.tmin : c.tmax) << qPrintable(b->objectName());
        }
    }
}

TEST(Parsys, AceptarSavesTheLimitsTheSettingsAndTheServersParameters)
{
    for (const auto& [caja, vent, days] : {std::tuple{"00", "", "1"}, {"00", "0", "1"}, {"00", "05", "05"}, {"01", "8", "7"}}) {
        SCOPED_TRACE(vent);
        Params s(caja);
        s.t->cfg_reg.rep_agot = "7";
        EXPECT_NE(s.with_modal<parsys>([&] { s.item("par_sys"); }, [&](parsys* w) {
            w->tx_vent->setText(vent);
            w->tx_mens->setText("  hola mundo ");
            // Thousands marks only in groups of three after one to three digits; else decimals,
            // cut after two, "," read as ".".
            for (const auto& [box, text] : {std::pair{w->tx_jmin, "0.20"}, {w->tx_jmax, "1.000"}, {w->tx_jmas, ""},
                                            {w->tx_jmiz, "1234.567"}, {w->tx_tmax, "12.345.678"}, {w->tx_jmaz, "12,5"},
                                            {w->tx_tmin, "2"}, {w->tx_modv, ""}, {w->tx_zord, "OTRO"},
                                            {w->tx_juga, "NO IMPRIMIR"}, {w->tx_anut, "SI"}})
                box->setCurrentText(text);
            w->b_aceptar->click();
            EXPECT_FALSE(w->isVisible());
        }), "");
        const auto& l = s.t->lim_vta;
        EXPECT_EQ(QStringList({l.jug_min, l.jug_miz, l.jug_max, l.jug_mas, l.vta_min, l.dia_vence, s.t->ses_val.anu_ven}),
                  QStringList({"20000000", "123456000000", "100000000000", "0", "200000000", " 3 ", "0"}));
        EXPECT_EQ(s.saved(), QStringList({"sys_smod=100000000", "sys_modv=0", "sys_zord=1", "sys_rlot=0", "rep_enca=1",
                                          "rep_juga=0", "rep_simb=1", "rep_agot=7", "sys_mens=HOLA MUNDO"}));
        EXPECT_EQ(s.sent(), QStringList({"001 TVENCE_TIK " + QString(days), "001 JUGADA_MIN 20000000",
                                         "001 JUGADA_MIZ 123456000000", "001 JUGADA_MIS 200000000",
                                         "001 JUGADA_MAX 100000000000", "001 JUGADA_MAZ 1250000000", "001 JUGADA_MAS 0",
                                         "001 VENTIK_MIN 200000000", "001 VENTIK_MAX 1234567800000000", "001 ANUTIK_VEN 0"}));
    }
}

// Opening and saving unchanged gives the server back exactly the amounts it sent.
TEST(Parsys, UnchangedAmountsGoBackExactly)
{
    const struct { double mod_sys; bool dec; const char *stored, *shown; } cases[] = {
        {1e8, false, "100000000", "1"}, {1e8, false, "50000000", "0.50"}, {1e8, false, "150000000", "1.50"},
        {1e8, true, "123400000", "1.23"}, {1e8, true, "100000000000", "1000"}, {100, false, "99999900", "999.999"},
        {1e8, false, "100000000000000000", "1000000000.00"}, {1e8, false, "123456789012345678", "1234567890.12"},
        {100, false, "150", "1.50"}, {100, false, "1", "0.01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Rows rows{{"TVENCE_TIK", "3"}, {"ANUTIK_VEN", "1"}};
        for (const auto& k : kSent.mid(1, 8))
            rows << QPair<QString, QString>{k, c.stored};
        Params s("00", rows, c.mod_sys, c.dec);
        parsys* w = s.load();
        EXPECT_EQ(texts(Params::amounts(w)), QStringList(8, c.shown));
        w->b_aceptar->click();
        for (int i = 1; i <= 8; ++i)
            EXPECT_EQ(s.sent().value(i), "001 " + kSent[i] + " " + c.stored);
    }
}

// Without the server's rows nothing is shown or saved; a save that loses the connection
// at any key stops there, with one message.
TEST(Parsys, FaultSweep)
{
    Params unread;
    unread.t.srv->fail_next(2, "getpaq");
    parsys* w = unread.load();
    EXPECT_EQ(unread.boxes(), QStringList({kLost}));
    EXPECT_EQ((texts(Params::amounts(w)) + texts(Params::others(w))).join(""), "");
    EXPECT_TRUE(w->tx_jmin->count() + w->tx_modv->count() == 0 && unread.t->lim_vta.jug_min.isEmpty());
    EXPECT_FALSE(w->b_aceptar->isEnabled());
    unread.t->flg_nocox = 0;
    w->b_aceptar_Click();
    EXPECT_TRUE(unread.sent().isEmpty() && unread.t.reg->saved.isEmpty());
    for (int lost = 0; lost < kSent.size(); ++lost) {
        SCOPED_TRACE(lost);
        Params s;
        fail_call(*s.t.srv, "actpaq", lost, 2, [](central::Request&) { return true; });
        parsys* w = s.load();
        w->tx_jmin->setCurrentText("2");
        w->b_aceptar->click();
        const QStringList sent = s.sent();
        EXPECT_EQ(sent.size(), lost + 2);
        EXPECT_TRUE(sent.last().startsWith("001 " + kSent[lost] + " ") && sent[lost] == sent.last());
        EXPECT_EQ(s.boxes(), QStringList({kLost}));
        EXPECT_TRUE(s.t->lim_vta.jug_min == "200000000" && s.t.reg->saved.size() == 9 && !w->isVisible());
    }
}

TEST(Parprn, WithoutPrintersItSaysSoAndIsNotShown)
{
    AdminShell s;
    s.t.prn->printer_names.clear();
    EXPECT_EQ(s.with_modal([&] { s.item("par_prn"); }), "");
    EXPECT_EQ(s.boxes(), QStringList({"No hay impresoras disponibles." + QString(10, ' ')}));
    EXPECT_EQ(s.t->cfg_reg.rep_nprn, -1);
    EXPECT_FALSE(s.t->is_loaded("parprn") || s.t.reg->saved.size());
}

// Opened with the settings; the printer text is typed over and the focus leaves it, then
// "Aceptar" (or Esc when nothing is to be saved). The next print, at a start with the
// printers installed by then, goes to the printer chosen, by its name while it is
// installed, with the margin and the feed saved.
TEST(Parprn, OpensWithTheSettingsSavesThemInOrderAndPrintsThere)
{
    const struct { int nprn; const char *name, *opt; QStringList shown; const char* printer; QStringList saved;
                   QStringList later; int printed; } cases[] = {
        // The first of two of that name, kept at the next start.
        {1, "", "1", {"Recibos", "NORMAL", "SI"}, "Recibos", {"1", "Recibos", "1", "1", "1"}, {"Laser", "Recibos"}, 1},
        // A printer was removed: the first is shown; the index alone.
        {5, "", "0", {"Laser", "COMPRIMIDA", "NO"}, "", {}, {"Laser"}, 0},
        // One was added before it: found by its name, at the next start too.
        {0, "Recibos", "x", {"Recibos", "COMPRIMIDA", "NO"}, " Laser ", {"0", "Laser", "0", "0", "0"}, {"Nueva", "Laser"}, 1},
        // None has the saved name any more, nor the name typed: nothing is printed.
        {2, "Ida", "1", {"Recibos", "NORMAL", "SI"}, "Reci", {"2", "Ida", "1", "1", "1"}, {"Laser", "Recibos", "Recibos"}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        AdminShell s;
        s.t.prn->printer_names = {"Laser", "Recibos", "Recibos"};
        auto& cfg = s.t->cfg_reg;
        cfg.rep_nprn = c.nprn;
        cfg.rep_impr = c.name;
        cfg.rep_letr = cfg.rep_codb = cfg.rep_cutt = c.opt;
        cfg.rep_salt = 3;
        EXPECT_NE(s.with_modal<parprn>([&] { s.item("par_prn"); }, [&](parprn* w) {
            EXPECT_EQ(texts({w->tx_impr, w->tx_letr, w->tx_codb, w->tx_cutt, w->tx_salt, w->tx_marg}),
                      c.shown + QStringList({c.shown[2], "3", "0"}));
            expect_typed({{w->tx_marg, "a1 -2x3", "12"}, {w->tx_impr, "R", c.shown[0]}, {w->tx_codb, "S", c.shown[2]}});
            w->tx_impr->setEditText(c.printer);
            w->tx_impr_LostFocus();
            EXPECT_EQ(w->tx_impr->currentText(), QString(c.printer).trimmed() == "Reci" ? "" : QString(c.printer).trimmed());
            QTest::keyClick(w->tx_cutt, c.saved.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        }), "");
        EXPECT_EQ(cfg.rep_nprn, c.saved.isEmpty() ? 0 : c.saved[0].toInt());
        const QStringList& v = c.saved;
        EXPECT_EQ(s.saved(), v.isEmpty() ? QStringList() : QStringList({"rep_nprn=" + v[0], "rep_impr=" + v[1],
                             "rep_salt=3", "rep_marg=12", "rep_letr=" + v[2], "rep_codb=" + v[3], "rep_cutt=" + v[4]}));

        s.t.prn->printer_names = c.later;
        cfg_load(*s.t);
        rep_reset(s.t->buf_rep);
        s.t->buf_rep.rep_lin[0] = "TOTAL";
        rep_print(*s.t);
        EXPECT_EQ(s.t.prn->docs.size(), c.printed < 0 ? 0 : 1);
        EXPECT_EQ(s.t.prn->docs.value(0).printer, c.printed);
        const QStringList printed = QStringList{QString(12, ' ') + "TOTAL"} + QStringList(8, " ") + QStringList({"\f"});
        EXPECT_TRUE(v.isEmpty() || c.printed < 0 || s.t.prn->docs.value(0).lines == printed);
        EXPECT_EQ(s.boxes(), c.printed < 0 ? QStringList({"Error de impresión." + QString(10, ' ')}) : QStringList());
    }
}

} // namespace
