#include "admin/parsys.h"
#include "tests/admin/params_fixture.h"

#include <QPushButton>

namespace {

using Rows = QList<QPair<QString, QString>>;

const QString kNoCox = "No hay conexión con el servidor." + QString(10, ' ');
const QStringList kSent = {"TVENCE_TIK", "JUGADA_MIN", "JUGADA_MIZ", "JUGADA_MIS", "JUGADA_MAX",
                           "JUGADA_MAZ", "JUGADA_MAS", "VENTIK_MIN", "VENTIK_MAX", "ANUTIK_VEN"};

// Stored units of 1/100000000; a lower-case key and a repeated one among them.
const Rows kRows = {{"TVENCE_TIK", " 3 "}, {"JUGADA_MIN", "100000000"}, {"JUGADA_MIZ", "50000000"},
                    {"JUGADA_MIS", "200000000"}, {"JUGADA_MAX", "100000000000"}, {"JUGADA_MAZ", "50000000"},
                    {"JUGADA_MAS", "150000000"}, {"VENTIK_MIN", "10000000"}, {"VENTIK_MAX", "1"}, {"ANUTIK_VEN", "1"},
                    {"JUGMIN_SYS", "10000000/1000000000"}, {"JUGMAX_SYS", "100000000/100000000000"},
                    {"TIKMIN_SYS", "10000000/1000000000"}, {"TIKMAX_SYS", "100000000000/5000000000000"},
                    {"jugada_min", "7"}, {"VENTIK_MAX", "1000000000000"}};

struct Window : ParamsShell {
    explicit Window(const QString& caja = "00", const Rows& rows = kRows) : ParamsShell(caja)
    {
        t.srv->model.outlet.params = rows;
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
    QStringList sent() const
    {
        QStringList out;
        for (const auto& c : t.srv->calls("actpaq"))
            out << c.values[0].toString() + " " + c.values[1].toString() + "=" + c.values[2].toString();
        return out;
    }
};

TEST(Parsys, OpensFromTheMenuWithTheServersParametersTheSettingsAndTheCashiersLocks)
{
    const struct { const char* caja; int ord_lot; const char *modv, *other; QStringList want; } cases[] = {
        {"00", 1, "1", "1", {"NO", "ANIMALITOS", "NOMBRE", "NO", "SI", "DETALLADO", "NUMERO/NOMBRE"}},
        {"00", -1, "5", "x", {"NO", "", "HORA", "NO", "NO", "NO IMPRIMIR", "SOLO NOMBRE"}},
        {"01", 0, "2", "0", {"SI", "TRIPLE/TERMINAL", "HORA", "SI", "NO", "NO IMPRIMIR", "SOLO NUMERO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.other);
        Window s(c.caja, Rows(kRows) << QPair<QString, QString>{"ANUTIK_VEN", c.other});
        auto& cfg = s.t->cfg_reg;
        s.t->ses_val.ord_lot = c.ord_lot;
        cfg.sys_mens = "  GRACIAS  ";
        cfg.sys_modv = c.modv;
        cfg.sys_rlot = cfg.rep_enca = cfg.rep_juga = cfg.rep_simb = c.other;
        s.open<parsys>("par_sys", [&](parsys* w) {
            ASSERT_TRUE(w);
            EXPECT_EQ(texts(Window::amounts(w)), QStringList({"1", "0.50", "2", "1.000", "0.50", "1.50", "0.10", "10.000"}));
            EXPECT_EQ(texts(Window::others(w)), QStringList({"001", "0012345678", "AGENCIA UNO", "3", "GRACIAS"}) + c.want);
            const QString name_locked = "tx_codv tx_serx tx_nomb", cashier_locked = "tx_vent tx_mens tx_anut";
            for (QWidget* f : Window::others(w))
                EXPECT_EQ(f->isEnabled(), cashier_locked.contains(f->objectName()) ? QString(c.caja) == "00"
                                                                                   : !name_locked.contains(f->objectName()));
            EXPECT_TRUE(w->b_aceptar->isEnabled());
            QTest::keyClick(w->tx_jmin, Qt::Key_Escape);
        });
        // Cancelled: nothing saved, but the limits keep the server's values (the last row wins).
        const auto& l = s.t->lim_vta;
        EXPECT_EQ(QStringList({l.dia_vence, l.jug_min, l.jug_miz, l.jug_mas, l.vta_max, s.t->ses_val.anu_ven}),
                  QStringList({" 3 ", "100000000", "50000000", "150000000", "1000000000000", c.other}));
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
        Window s("00", c.bounds);
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod_sys;
        s.t->lim_vta.flg_dec = c.dec;
        const QList<QWidget*> boxes = Window::amounts(s.load());
        for (int i = 0; i < 8; ++i) {
            auto* b = static_cast<QComboBox*>(boxes[i]);
            QStringList entries;
            for (int k = 0; k < b->count(); ++k)
                entries << b->itemText(k);
            EXPECT_EQ(entries, i < 3 ? c.min : i < 6 ? c.max : i == 6 ? c.tmin : c.tmax) << qPrintable(b->objectName());
        }
    }
}

TEST(Parsys, TypedKeysPerField)
{
    Window s;
    parsys* w = s.load();
    expect_typed({{w->tx_mens, "gracias, 2 x-y!", "GRACIAS 2 XY"}, {w->tx_vent, "a1.2x3", "12"}, {w->tx_jmin, "5a.", "1"},
                  {w->tx_anut, "SI", "NO"}, {w->tx_simb, "1", "NUMERO/NOMBRE"}, {w->tx_zord, "X", "HORAX"}});
    // Delete still shortens a list's text; the message is upper-cased when the focus leaves.
    QTest::keyClick(w->tx_tmax, Qt::Key_Home);
    QTest::keyClick(w->tx_tmax, Qt::Key_Delete);
    w->tx_mens->setText("pegado");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(w->tx_mens, &out);
    EXPECT_EQ(texts({w->tx_tmax, w->tx_mens}), QStringList({"0.000", "PEGADO"}));
}

TEST(Parsys, AceptarSavesTheLimitsTheSettingsAndTheServersParameters)
{
    for (const auto& [caja, vent, days] : {std::tuple{"00", "", "1"}, {"00", "0", "1"}, {"00", "05", "05"}, {"01", "12", "7"}}) {
        SCOPED_TRACE(vent);
        Window s(caja);
        s.t->cfg_reg.rep_agot = "7";
        s.open<parsys>("par_sys", [&](parsys* w) {
            ASSERT_TRUE(w);
            w->tx_vent->setText(vent);
            w->tx_mens->setText("  hola mundo ");
            for (const auto& [box, text] : {std::pair{w->tx_jmin, "0.20"}, {w->tx_jmax, "1.000"}, {w->tx_jmas, ""},
                                            {w->tx_tmin, "2"}, {w->tx_modv, ""}, {w->tx_zord, "OTRO"},
                                            {w->tx_juga, "NO IMPRIMIR"}, {w->tx_anut, "SI"}})
                box->setCurrentText(text);
            w->b_aceptar->click();
            EXPECT_FALSE(w->isVisible());
        });
        const auto& l = s.t->lim_vta;
        EXPECT_EQ(QStringList({l.jug_min, l.jug_miz, l.jug_max, l.jug_mas, l.vta_min, l.dia_vence, s.t->ses_val.anu_ven}),
                  QStringList({"20000000", "50000000", "100000000000", "0", "200000000", " 3 ", "0"}));
        EXPECT_EQ(s.saved(), QStringList({"sys_smod=100000000", "sys_modv=0", "sys_zord=1", "sys_rlot=0", "rep_enca=1",
                                          "rep_juga=0", "rep_simb=1", "rep_agot=7", "sys_mens=HOLA MUNDO"}));
        EXPECT_EQ(s.sent(), QStringList({"001 TVENCE_TIK=" + QString(days), "001 JUGADA_MIN=20000000",
                                         "001 JUGADA_MIZ=50000000", "001 JUGADA_MIS=200000000", "001 JUGADA_MAX=100000000000",
                                         "001 JUGADA_MAZ=50000000", "001 JUGADA_MAS=0", "001 VENTIK_MIN=200000000",
                                         "001 VENTIK_MAX=1000000000000", "001 ANUTIK_VEN=0"}));
        // The double keeps them: the next opening shows them.
        parsys* again = s.load();
        EXPECT_EQ(texts({again->tx_vent, again->tx_jmin, again->tx_jmax, again->tx_jmas, again->tx_tmin}),
                  QStringList({days, "0.20", "1.000", "0", "2"}));
    }
}

TEST(Parsys, LostConnectionAtEachKeyStopsTheRest)
{
    for (int lost = 0; lost < kSent.size(); ++lost) {
        SCOPED_TRACE(lost);
        Window s;
        central::Server* srv = s.t.srv;
        int call = 0;
        // That key's call breaks the session, and so does its retry.
        srv->register_procedure("actpaq", [&](central::Request& r) {
            if (call++ == lost) {
                srv->fail_next(1, "actpaq");
                srv->drop_sessions();
                return false;
            }
            srv->model.set_param(r.text(1), r.text(2));
            return true;
        });
        parsys* w = s.load();
        w->tx_jmin->setCurrentText("2");
        w->b_aceptar->click();
        QStringList keys;
        for (const auto& c : srv->calls("actpaq"))
            keys << c.values[1].toString();
        EXPECT_EQ(keys, kSent.mid(0, lost + 1) << kSent[lost]);
        EXPECT_EQ(s.t.dlg->texts(), QStringList({kNoCox}));
        EXPECT_EQ(srv->model.param("JUGADA_MIN"), lost > 1 ? "200000000" : "100000000");
        EXPECT_TRUE(s.t->lim_vta.jug_min == "200000000" && s.t.reg->saved.size() == 9 && !w->isVisible());
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
        Rows rows;
        for (const auto& k : kSent.mid(1, 8))
            rows << QPair<QString, QString>{k, c.stored};
        Window s("00", rows);
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod_sys;
        s.t->lim_vta.flg_dec = c.dec;
        parsys* w = s.load();
        EXPECT_EQ(texts(Window::amounts(w)), QStringList(8, c.shown));
        w->b_aceptar->click();
        EXPECT_EQ(s.sent().mid(1, 8).join(" ").count("=" + QString(c.stored) + " "), 7);
        EXPECT_TRUE(s.sent()[8].endsWith("=" + QString(c.stored)));
    }
}

TEST(Parsys, WithoutTheServersRowsNothingIsShownOrSaved)
{
    for (const bool flag_set : {false, true}) {
        Window s;
        flag_set ? void(s.t->flg_nocox = 1) : s.t.srv->fail_next(2, "getpaq");
        parsys* w = s.load();
        EXPECT_EQ(s.t.dlg->texts(), flag_set ? QStringList() : QStringList({kNoCox}));
        EXPECT_EQ((texts(Window::amounts(w)) + texts(Window::others(w))).join(""), "");
        EXPECT_TRUE(w->tx_jmin->count() + w->tx_modv->count() == 0 && s.t->lim_vta.jug_min.isEmpty());
        EXPECT_FALSE(w->b_aceptar->isEnabled());
        s.t->flg_nocox = 0;
        w->b_aceptar_Click();
        EXPECT_TRUE(s.t.srv->calls("actpaq").isEmpty() && s.t.reg->saved.isEmpty());
    }
}

} // namespace
