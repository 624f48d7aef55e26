#include "admin/parsys.h"
#include "admin/parsys_values.h"
#include "tests/admin/params_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Rows = QList<QPair<QString, QString>>;

const QString kNoCox = "No hay conexión con el servidor." + QString(10, ' ');
const QStringList kSent = {"TVENCE_TIK", "JUGADA_MIN", "JUGADA_MIZ", "JUGADA_MIS", "JUGADA_MAX",
                           "JUGADA_MAZ", "JUGADA_MAS", "VENTIK_MIN", "VENTIK_MAX", "ANUTIK_VEN"};

// The outlet's parameters: stored units of 1/100000000; a lower-case key and a repeated
// one among them.
const Rows kRows = {
    {"TVENCE_TIK", " 3 "},          {"JUGADA_MIN", "100000000"},    {"JUGADA_MIZ", "50000000"},
    {"JUGADA_MIS", "200000000"},    {"JUGADA_MAX", "100000000000"}, {"JUGADA_MAZ", "50000000"},
    {"JUGADA_MAS", "150000000"},    {"VENTIK_MIN", "10000000"},     {"VENTIK_MAX", "1"},
    {"ANUTIK_VEN", "1"},            {"JUGMIN_SYS", "10000000/1000000000"}, {"JUGMAX_SYS", "100000000/100000000000"},
    {"TIKMIN_SYS", "10000000/1000000000"}, {"TIKMAX_SYS", "100000000000/5000000000000"},
    {"JUGADA_SYS", "100000000"},    {"jugada_min", "7"},            {"VENTIK_MAX", "1000000000000"},
};

struct Window : ParamsShell {
    explicit Window(const QString& caja = "00", const Rows& rows = kRows) : ParamsShell(caja)
    {
        t.srv->model.outlet.params = rows;
    }
    parsys* load() { return t->win<parsys>("parsys"); }
    static QList<QComboBox*> amounts(parsys* w)
    {
        return {w->tx_jmin, w->tx_jmiz, w->tx_jmis, w->tx_jmax, w->tx_jmaz, w->tx_jmas, w->tx_tmin, w->tx_tmax};
    }
    static QStringList texts(const QList<QComboBox*>& boxes)
    {
        QStringList out;
        for (auto* b : boxes)
            out << b->currentText();
        return out;
    }
    static QStringList entries(QComboBox* b)
    {
        QStringList out;
        for (int i = 0; i < b->count(); ++i)
            out << b->itemText(i);
        return out;
    }
    QStringList sent() const
    {
        QStringList out;
        for (const auto& c : t.srv->calls("actpaq"))
            out << c.values[0].toString() + " " + c.values[1].toString() + "=" + c.values[2].toString();
        return out;
    }
};

TEST(Parsys, OpensFromTheMenuWithTheServersParametersAndTheSettings)
{
    Window s;
    auto& cfg = s.t->cfg_reg;
    cfg.sys_mens = "  GRACIAS  ";
    cfg.sys_modv = "1";
    cfg.sys_rlot = "1";
    cfg.rep_enca = "0";
    cfg.rep_juga = "2";
    cfg.rep_simb = "0";
    s.t->ses_val.ord_lot = 1;
    s.open("par_sys", [&](QWidget* m) {
        auto* w = qobject_cast<parsys*>(m);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), "Parámetros Tovaren");
        EXPECT_EQ(Window::texts(Window::amounts(w)),
                  QStringList({"1", "0.50", "2", "1.000", "0.50", "1.50", "0.10", "10.000"}));
        const QList<QLineEdit*> edits{w->tx_codv, w->tx_serx, w->tx_nomb, w->tx_vent, w->tx_mens};
        QStringList shown;
        for (auto* e : edits)
            shown << e->text();
        EXPECT_EQ(shown, QStringList({"001", "0012345678", "AGENCIA UNO", "3", "GRACIAS"}));
        EXPECT_EQ(Window::texts({w->tx_anut, w->tx_modv, w->tx_zord, w->tx_rlot, w->tx_enca, w->tx_juga, w->tx_simb}),
                  QStringList({"NO", "ANIMALITOS", "NOMBRE", "NO", "NO", "RESUMIDO", "SOLO NUMERO"}));
        EXPECT_EQ(Window::entries(w->tx_simb), QStringList({"NUMERO/NOMBRE", "SOLO NUMERO", "SOLO NOMBRE"}));
        EXPECT_TRUE(w->b_aceptar->isEnabled());
        QTest::keyClick(w->tx_jmin, Qt::Key_Escape);
    });
    EXPECT_EQ(s.t.srv->procs(), QStringList({"getpaq"}));
    EXPECT_EQ(s.t.srv->calls("getpaq")[0].values, QVariantList({"001"}));
    // Cancelled: nothing saved, but the limits keep the server's values (the last row wins).
    const auto& l = s.t->lim_vta;
    EXPECT_EQ(QStringList({l.dia_vence, l.jug_min, l.jug_miz, l.jug_mis, l.jug_max, l.jug_maz, l.jug_mas, l.vta_min,
                           l.vta_max, s.t->ses_val.anu_ven}),
              QStringList({" 3 ", "100000000", "50000000", "200000000", "100000000000", "50000000", "150000000",
                           "10000000", "1000000000000", "1"}));
    EXPECT_TRUE(s.t.reg->saved.isEmpty());
    EXPECT_FALSE(s.t->is_loaded("parsys"));
}

TEST(Parsys, SettingsOutsideTheirListsAndTheCashiersLocks)
{
    const struct { const char* caja; int ord_lot; const char* modv; const char* other; QStringList want; } cases[] = {
        {"00", -1, "5", "x", {"NO", "", "HORA", "NO", "NO", "NO IMPRIMIR", "SOLO NOMBRE"}},
        {"01", 0, "2", "0", {"SI", "TRIPLE/TERMINAL", "HORA", "SI", "NO", "NO IMPRIMIR", "SOLO NUMERO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caja);
        Window s(c.caja, Rows(kRows) << QPair<QString, QString>{"ANUTIK_VEN", c.other});
        auto& cfg = s.t->cfg_reg;
        s.t->ses_val.ord_lot = c.ord_lot;
        cfg.sys_modv = c.modv;
        cfg.sys_rlot = cfg.rep_enca = cfg.rep_juga = cfg.rep_simb = c.other;
        parsys* w = s.load();
        EXPECT_EQ(Window::texts({w->tx_anut, w->tx_modv, w->tx_zord, w->tx_rlot, w->tx_enca, w->tx_juga, w->tx_simb}),
                  c.want);
        const bool supervisor = QString(c.caja) == "00";
        for (QWidget* f : QList<QWidget*>{w->tx_vent, w->tx_mens, w->tx_anut})
            EXPECT_EQ(f->isEnabled(), supervisor) << qPrintable(f->objectName());
        for (QWidget* f : QList<QWidget*>{w->tx_codv, w->tx_serx, w->tx_nomb})
            EXPECT_FALSE(f->isEnabled()) << qPrintable(f->objectName());
        for (QWidget* f : QList<QWidget*>{w->tx_jmin, w->tx_tmax, w->tx_modv, w->tx_zord, w->tx_simb, w->b_aceptar})
            EXPECT_TRUE(f->isEnabled()) << qPrintable(f->objectName());
    }
}

TEST(Parsys, AmountListsOfferTheAmountsWithinTheServersBounds)
{
    const QStringList sub = {"0.01", "0.02", "0.05", "0.10", "0.20", "0.50"};
    const QStringList to50 = {"1", "2", "5", "10", "20", "50"};
    const struct {
        const char* name;
        Rows bounds;            // the bounds rows sent
        bool dec;
        double mod_sys;
        QStringList min, max, tmin, tmax;
    } cases[] = {
        {"whole units from one", {{"JUGMIN_SYS", "100000000/5000000000"}, {"TIKMAX_SYS", "0/5000000000000000"}},
         false, 1e8, to50, {}, sub.mid(3), {"1", "2", "5", "10", "20", "50", "100", "200", "500", "1.000", "2.000",
         "5.000", "10.000", "20.000", "50.000", "100.000", "200.000", "500.000", "1.000.000", "2.000.000",
         "5.000.000", "10.000.000", "20.000.000", "50.000.000"}},
        {"sub-unit from a hundredth", {{"JUGMIN_SYS", "1000000/200000000"}, {"TIKMIN_SYS", "1000000/100000000"}},
         false, 1e8, sub + QStringList{"1", "2"}, {}, sub.mid(3) << "1", {}},
        {"from a tenth", {{"JUGMIN_SYS", "10000000/100000000"}}, false, 1e8, sub.mid(3) << "1", {}, sub.mid(3), {}},
        {"from five hundredths, up to a fifth", {{"JUGMIN_SYS", "5000000/20000000"}, {"TIKMIN_SYS", "20000000/50000000"}},
         false, 1e8, {"0.05", "0.10", "0.20"}, {}, {"0.20", "0.50"}, {}},
        {"malformed and high alone", {{"JUGMIN_SYS", "abc/x"}, {"JUGMAX_SYS", "100000000000"}, {"TIKMIN_SYS", ""}},
         false, 1e8, sub, to50 + QStringList{"100", "200", "500", "1.000"}, sub.mid(3), {}},
        {"two decimals on", {{"JUGMAX_SYS", "50000000000/100000000000"}, {"TIKMAX_SYS", "200000000000/"}}, true, 1e8,
         sub, {"500", "1000"}, sub.mid(3), {}},
        {"divisor 100", {{"JUGMIN_SYS", "1/2000"}, {"JUGMAX_SYS", "0/500"}}, false, 100,
         sub + QStringList{"1", "2", "5", "10", "20"}, {"1", "2", "5"}, sub.mid(3), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window s("00", c.bounds);
        s.t->ses_val.mod_sys = s.t->ses_val.jug_sys = c.mod_sys;
        s.t->lim_vta.flg_dec = c.dec;
        parsys* w = s.load();
        const QList<QComboBox*> boxes = Window::amounts(w);
        for (int i = 0; i < 8; ++i) {
            const QStringList& want = i < 3 ? c.min : i < 6 ? c.max : i == 6 ? c.tmin : c.tmax;
            EXPECT_EQ(Window::entries(boxes[i]), want) << qPrintable(boxes[i]->objectName());
        }
    }
}

TEST(Parsys, TypedKeysPerField)
{
    Window s;
    parsys* w = s.load();
    w->show();
    const struct { QWidget* field; const char* typed; const char* want; } cases[] = {
        {w->tx_mens, "gracias, 2 x-y!", "GRACIAS 2 XY"},
        {w->tx_vent, "a1.2x3", "12"},
        {w->tx_jmin, "5a.", "1"},
        {w->tx_tmax, "9", "10.000"},
        {w->tx_anut, "SI", "NO"},
        {w->tx_modv, "x", "TODOS"},
        {w->tx_juga, "1", "DETALLADO"},
        {w->tx_zord, "NOMBRE", "HORANOMBRE"},
    };
    for (const auto& c : cases) {
        auto* box = qobject_cast<QComboBox*>(c.field);
        QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(c.field);
        if (!box)
            edit->clear();
        edit->end(false);
        QTest::keyClicks(c.field, c.typed);
        EXPECT_EQ(edit->text(), c.want) << qPrintable(c.field->objectName());
    }
    // Delete still shortens a list's text; the message is upper-cased when the focus leaves
    // it; the focus selects the whole text of the fields that are typed over.
    w->tx_tmax->lineEdit()->setCursorPosition(0);
    QTest::keyClick(w->tx_tmax, Qt::Key_Delete);
    EXPECT_EQ(w->tx_tmax->currentText(), "0.000");
    w->tx_mens->setText("pegado");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason), in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w->tx_mens, &out);
    EXPECT_EQ(w->tx_mens->text(), "PEGADO");
    for (QWidget* f : QList<QWidget*>{w->tx_mens, w->tx_vent, w->tx_tmax})
        QApplication::sendEvent(f, &in);
    QApplication::processEvents();
    EXPECT_EQ(w->tx_mens->selectedText() + w->tx_vent->selectedText() + w->tx_tmax->lineEdit()->selectedText(),
              "PEGADO120.000");
}

// A save with changed fields: the limits, the settings and the server, in their order.
TEST(Parsys, AceptarSavesTheLimitsTheSettingsAndTheServersParameters)
{
    const struct { const char* caja; const char* vent; const char* sent_days; } cases[] = {
        {"00", "", "1"}, {"00", "0", "1"}, {"00", "9", "7"}, {"00", "05", "05"}, {"01", "12", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vent);
        Window s(c.caja);
        s.t->ses_val.ord_lot = -1;
        s.t->cfg_reg.rep_agot = "7";
        s.open("par_sys", [&](QWidget* m) {
            auto* w = qobject_cast<parsys*>(m);
            ASSERT_TRUE(w);
            w->tx_vent->setText(c.vent);
            w->tx_mens->setText("  hola mundo ");
            w->tx_jmin->setCurrentText("0.20");
            w->tx_jmax->setCurrentText("1.000");
            w->tx_jmas->setCurrentText("");  // emptied with Delete
            w->tx_tmin->setCurrentText("2");
            w->tx_modv->setCurrentText("");
            w->tx_zord->setCurrentText("OTRO");
            w->tx_juga->setCurrentText("NO IMPRIMIR");
            w->tx_anut->setCurrentText("SI");
            w->b_aceptar->click();
            EXPECT_FALSE(w->isVisible());
        });
        const auto& l = s.t->lim_vta;
        EXPECT_EQ(QStringList({l.jug_min, l.jug_miz, l.jug_max, l.jug_mas, l.vta_min, s.t->ses_val.anu_ven}),
                  QStringList({"20000000", "50000000", "100000000000", "0", "200000000", "0"}));
        EXPECT_EQ(l.dia_vence, " 3 ");
        EXPECT_EQ(s.t.reg->saved, QStringList({"sys_smod", "sys_modv", "sys_zord", "sys_rlot", "rep_enca",
                                               "rep_juga", "rep_simb", "rep_agot", "sys_mens"}));
        QStringList values;
        for (const auto& k : s.t.reg->saved)
            values << s.setting(k);
        EXPECT_EQ(values, QStringList({"100000000", "0", "1", "0", "1", "0", "1", "7", "HOLA MUNDO"}));
        EXPECT_EQ(s.t->ses_val.ord_lot, 1);
        EXPECT_EQ(s.sent(), QStringList({"001 TVENCE_TIK=" + QString(c.sent_days), "001 JUGADA_MIN=20000000",
                                         "001 JUGADA_MIZ=50000000", "001 JUGADA_MIS=200000000",
                                         "001 JUGADA_MAX=100000000000", "001 JUGADA_MAZ=50000000", "001 JUGADA_MAS=0",
                                         "001 VENTIK_MIN=200000000", "001 VENTIK_MAX=1000000000000",
                                         "001 ANUTIK_VEN=0"}));
        EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
        // The double keeps them: the next opening shows them.
        parsys* again = s.load();
        EXPECT_EQ(Window::texts({again->tx_jmin, again->tx_jmax, again->tx_jmas, again->tx_tmin}),
                  QStringList({"0.20", "1.000", "0", "2"}));
        EXPECT_EQ(again->tx_vent->text(), c.sent_days);
    }
}

TEST(Parsys, LostConnectionAtEachKeyStopsTheRest)
{
    for (int lost = 0; lost < kSent.size(); ++lost) {
        SCOPED_TRACE(kSent[lost].toStdString());
        Window s;
        int call = 0;
        central::Server* srv = s.t.srv;
        // The call of that key breaks the session, and so does its retry.
        central::Procedure stores = [&](central::Request& r) {
            if (call++ == lost) {
                srv->fail_next(1, "actpaq");
                srv->drop_sessions();
                return false;
            }
            srv->model.set_param(r.text(1), r.text(2));
            return true;
        };
        srv->register_procedure("actpaq", stores);
        parsys* w = s.load();
        w->tx_jmin->setCurrentText("2");
        w->tx_anut->setCurrentText("SI");
        w->b_aceptar->click();
        EXPECT_EQ(s.t.dlg->texts(), QStringList({kNoCox}));
        EXPECT_EQ(s.t->flg_nocox, 1);
        QStringList keys;
        for (const auto& c : srv->calls("actpaq"))
            keys << c.values[1].toString();
        EXPECT_EQ(keys, kSent.mid(0, lost) + QStringList({kSent[lost], kSent[lost]}));
        EXPECT_EQ(srv->model.param("JUGADA_MIN"), lost > 1 ? "200000000" : "100000000");
        EXPECT_EQ(srv->model.param("ANUTIK_VEN"), "1");
        EXPECT_EQ(s.t->lim_vta.jug_min, "200000000");
        EXPECT_EQ(s.t.reg->saved.size(), 9);
        EXPECT_FALSE(w->isVisible());
    }
}

// Opening and saving unchanged gives the server back exactly the amounts it sent.
TEST(Parsys, UnchangedAmountsGoBackExactly)
{
    const struct { double mod_sys; bool dec; const char* stored; const char* shown; const char* max_shown; } cases[] = {
        {1e8, false, "100000000", "1", "1"},
        {1e8, false, "50000000", "0.50", "0.50"},
        {1e8, false, "150000000", "1.50", "1.50"},
        {1e8, true, "123400000", "1.23", "1.23"},
        {1e8, true, "100000000000", "1000", "1000"},
        {1e8, false, "100000000000000000", "1000000000.00", "1000000000.00"},
        {1e8, false, "123456789012345678", "1234567890.12", "1234567890.12"},
        {100, false, "150", "1.50", "1.50"},
        {100, false, "1", "0.01", "0.01"},
        {100, false, "99999900", "999.999", "999.999"},
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
        EXPECT_EQ(w->tx_jmin->currentText(), c.shown);
        EXPECT_EQ(w->tx_tmax->currentText(), c.max_shown);
        w->b_aceptar->click();
        const QStringList sent = s.sent();
        ASSERT_EQ(sent.size(), 10);
        for (int i = 1; i < 9; ++i)
            EXPECT_EQ(sent[i], "001 " + kSent[i] + "=" + c.stored);
    }
}

TEST(Parsys, WithoutTheServersRowsNothingIsShownOrSaved)
{
    for (const bool flag_set : {false, true}) {
        SCOPED_TRACE(flag_set);
        Window s;
        if (flag_set)
            s.t->flg_nocox = 1;
        else
            s.t.srv->fail_next(2, "getpaq");
        const LimVta before = s.t->lim_vta;
        parsys* w = s.load();
        EXPECT_EQ(s.t.dlg->texts(), flag_set ? QStringList() : QStringList({kNoCox}));
        QStringList shown = Window::texts(Window::amounts(w));
        for (auto* e : {w->tx_codv, w->tx_serx, w->tx_nomb, w->tx_vent, w->tx_mens})
            shown << e->text();
        EXPECT_EQ(shown.join(""), "");
        EXPECT_EQ(w->tx_jmin->count() + w->tx_modv->count(), 0);
        EXPECT_EQ(s.t->lim_vta.jug_min, before.jug_min);
        EXPECT_FALSE(w->b_aceptar->isEnabled());
        s.t->flg_nocox = 0;
        w->b_aceptar_Click();
        EXPECT_TRUE(s.t.srv->calls("actpaq").isEmpty());
        EXPECT_TRUE(s.t.reg->saved.isEmpty());
    }
}

TEST(ParsysValues, AmountTextsToStoredAmounts)
{
    const struct { double mod_sys; const char* text; const char* stored; } cases[] = {
        {1e8, "1.000", "100000000000"}, {1e8, "0.50", "50000000"},      {1e8, "250", "25000000000"},
        {1e8, "1.5", "150000000"},      {1e8, "1,25", "125000000"},     {1e8, "1.2345", "123000000"},
        {1e8, "0.001", "0"},            {1e8, "", "0"},                 {1e8, "12.000.000", "1200000000000000"},
        {1e8, "01.000", "100000000"},   {100, "0.01", "1"},             {100, "1.000", "100000"},
        {100, "0.5", "50"},
    };
    for (const auto& c : cases) {
        MonCtx m;
        m.mod_sys = m.jug_sys = c.mod_sys;
        EXPECT_EQ(amount_stored(m, c.text), c.stored) << c.mod_sys << " " << c.text;
    }
}

} // namespace
