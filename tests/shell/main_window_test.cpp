// The main window: the start (local settings or their defaults, the loader marker), its
// caption, its menu items and the windows they open, stand-ins and real windows, the menu
// permissions of one login after another, Salir and closing. The runs are golden
// transcripts (tests/golden/shell/).
#include "core/app/permissions.h"
#include "core/app/rule.h"
#include "core/login/cfg_reg.h"
#include "core/shell/list_editor.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

struct Shell {
    TestApp t;
    std::unique_ptr<main_window> w;
    Shell()
    {
        register_shell_windows(*t);
        w = std::make_unique<main_window>(*t);
        w->Form_Load();
    }
    QAction* item(const QString& name) { return w->findChild<QAction*>(name); }
    QList<QMdiSubWindow*> subs() { return w->mdi_area()->subWindowList(); }
    QString active() { return w->mdi_area()->activeSubWindow()->widget()->objectName(); }
};

// The caption by outlet, ratio jug_sys / mod_sys and RNL; with no tag when not connected
// (cod_caj "**" or flg_nocox 1). A connection lost later leaves the timer running.
TEST(MainWindow, CaptionColourAndTimer)
{
    const struct { const char* dtbs; double r; const char* rnl; const char* caja = "01"; int nocox = 0; } cases[] = {
        {"ABC", 0.5, ""}, {"ABC", 1, ""}, {"ABC", 1.5, ""}, {"ABC", 5, ""}, {"ABC", 10, ""}, {"ABC", 100, ""},
        {"ABC", 101, ""}, {"AB$", 1, ""}, {"AB$", 1, "RNL-1"}, {"ABC", 10, "RNL-1"}, {"ABC", 5, "RNL-1"},
        {"ABC", 1, "RNL-1", "**"}, {"ABC", 1, "RNL-1", "01", 1},
    };
    QStringList lines;
    for (const auto& c : cases) {
        Shell s;
        const QColor before = s.w->mdi_area()->background().color();
        auto& v = s.t->ses_val;
        v.cod_caj = c.caja;
        v.nom_ven = "  AGENCIA UNO ";
        v.num_rnl = c.rnl;
        v.jug_sys = v.mod_sys * c.r;
        s.t->dat_cox.cod_dtbs = c.dtbs;
        s.t->flg_nocox = c.nocox;
        s.t->main_caption();
        QString line = QString("%1 %2 '%3' %4 %5: \"%6\", background %7, timer %8 %9")
                           .arg(c.dtbs).arg(c.r).arg(c.rnl, c.caja).arg(c.nocox)
                           .arg(s.w->windowTitle(), s.w->mdi_area()->background().color() == before
                                                        ? "unchanged" : s.w->mdi_area()->background().color().name())
                           .arg(s.w->timers->isActive() ? "on" : "off").arg(s.w->timers->interval());
        s.t->flg_nocox = 1;
        s.w->main_caption();
        lines << line + ", after a lost connection " + (s.w->timers->isActive() ? "on" : "off");
    }
    expect_golden(lines, "shell/caption.txt");
}

// The menu bar, made when the window is first shown, holds the five menus in their order.
TEST(MainWindow, MenuBarOnceShown)
{
    Shell s;
    s.w->show();
    QStringList titles;
    for (const QAction* a : s.w->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"Movimientos", "Procesos", "Reportes", "Otros", "Salir"}));
    EXPECT_TRUE(s.w->menuBar()->isVisible());
    s.w->hide();
    s.w->show();
    EXPECT_EQ(s.w->menuBar()->actions().size(), 5);
}

// Every menu item, twice: what it opens and how (an MDI child in its own size, a modal
// dialog, a window of its own, a pop-up item of a list window), the boxes shown.
TEST(MainWindow, MenuItemsAndTheirWindows)
{
    Shell s;
    s.w->show();
    QStringList lines;
    // The pop-ups come first: they load their list windows without showing them.
    for (const char* name : {"usr_incluir", "usr_modificar", "usr_eliminar", "usr_permisos", "dpo_incluir",
                             "dpo_modificar", "dpo_eliminar", "mov_tik", "mov_prm", "mov_dpo", "pro_anu", "pro_pag",
                             "rep_vtq", "rep_rtq", "rep_rba", "rep_caj", "rep_lup", "rep_itx", "conex", "par_sys",
                             "par_prn", "sorteo", "userx", "con_men"}) {
        QAction* a = s.item(name);
        ASSERT_TRUE(a && s.t->mnu.value(name) == a) << name;
        for (int time : {1, 2}) {
            s.t.dlg->boxes.clear();
            const QStringList loaded_before = s.t->loaded();
            QString modal;
            QTimer::singleShot(0, [&] {
                QWidget* m = QApplication::activeModalWidget();
                if (m && m->isWindow() && m->windowModality() == Qt::ApplicationModal)
                    modal = "modal " + m->objectName() + ", ";
                if (m)
                    m->close();
            });
            a->trigger();
            QApplication::sendPostedEvents();
            QString opened;
            for (const QString& w : s.t->loaded())
                if (!loaded_before.contains(w))
                    opened += w + " ";
            QString active = s.w->mdi_area()->activeSubWindow() ? s.active() : "none";
            QWidget* top = s.t->is_loaded(active) ? s.t->window(active) : nullptr;
            lines << QString("%1 %2: %3loaded now %4, boxes [%5], active child %6 %7x%8, frames %9")
                         .arg(name).arg(time).arg(modal, opened, boxes_text(*s.t.dlg), active)
                         .arg(top ? top->width() : 0).arg(top ? top->height() : 0)
                         .arg(s.subs().size());
        }
    }
    QWidget* sorteos = s.t->window("sorteos");
    lines << QString("sorteos: a window %1, shown %2").arg(sorteos->isWindow()).arg(sorteos->isVisible());
    s.item("mov_prm")->trigger();
    lines << "mov_prm again: active " + s.active();
    // Its own Salir, closing its frame or unloading it by name takes window and frame; the
    // item then loads it afresh.
    sorteos->close();
    const std::pair<const char*, std::function<void(QWidget*)>> closers[] = {
        {"movprm", [](QWidget* w) { w->findChild<QPushButton*>("b_salir")->click(); }},
        {"repvtq", [](QWidget* w) { qobject_cast<QMdiSubWindow*>(w->parentWidget())->close(); }},
        {"usuarios", [&](QWidget*) { s.t->unload("usuarios"); }},
    };
    for (const auto& [name, close] : closers) {
        QPointer<QWidget> w = s.t->window(name);
        close(w);
        QApplication::sendPostedEvents(nullptr, 0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lines << QString("%1 closed: deleted %2, loaded %3").arg(name).arg(w.isNull()).arg(s.t->is_loaded(name));
    }
    s.item("mov_prm")->trigger();
    lines << QString("sorteos loaded %1; mov_prm again: frames %2").arg(s.t->is_loaded("sorteos")).arg(s.subs().size());
    expect_golden(lines, "shell/menu_items.txt");
    // The list windows pop their menus up by name.
    EXPECT_EQ(s.t->mnu.value("menuusr")->menu<QMenu*>(), s.w->menuusr);
    EXPECT_EQ(s.t->mnu.value("menudpo")->menu<QMenu*>(), s.w->menudpo);

    // Gone with the window: nothing dangles in App.
    EXPECT_EQ(s.t->timers, s.w->timers);
    s.w.reset();
    EXPECT_TRUE(s.t->mnu.isEmpty());
    EXPECT_TRUE(!s.t->timers && !s.t->mdi && !s.t->main_caption);
}

TEST(MainWindow, RealWindowsWinOverStandIns)
{
    struct Users : QWidget, ListEditor {
        int calls = 0;
        void b_incluir_Click() override { ++calls; }
        void b_modificar_Click() override {}
        void b_eliminar_Click() override {}
    };
    TestApp t;
    Users* made = nullptr;
    t->register_window("usuarios", [&](App&) -> QWidget* { return made = new Users; });
    register_shell_windows(*t);
    main_window w(*t);
    w.usr_incluir_Click();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->calls, 1);
    EXPECT_EQ(made->objectName(), "usuarios");
    t->register_window("movprm", [](App&) -> QWidget* { return new QWidget; });  // after the stand-ins
    w.mov_prm_Click();
    EXPECT_STREQ(t->window("movprm")->metaObject()->className(), "QWidget");
}

// The first activation is run over the wire with the login (tests/e2e/wire_test.cpp).
TEST(MainWindow, SalirAndClosing)
{
    Shell s;
    s.w->show();
    // Salir ends at once: nothing unloaded, nothing asked.
    s.t.connect();
    s.w->main_caption();
    ASSERT_TRUE(s.w->timers->isActive());
    s.item("mov_prm")->trigger();
    const auto calls = s.t.srv->log.size();
    const int syncs = s.t.reg->syncs;
    s.item("salir2")->trigger();
    EXPECT_TRUE(s.t.sys->ended && s.t.sys->end_code == 0);
    EXPECT_EQ(s.t.reg->syncs, syncs + 1);
    EXPECT_TRUE(s.t->is_loaded("movprm"));
    EXPECT_TRUE(s.t.dlg->boxes.isEmpty());

    // Closing the window closes the connection, and no later tick reopens it.
    bool ended = false;
    QObject::connect(s.w.get(), &main_window::unloaded, [&] { ended = true; });
    s.w->close();
    EXPECT_TRUE(ended);
    EXPECT_EQ(s.t->cox_bd.state(), db::adStateClosed);
    EXPECT_FALSE(s.w->timers->isActive());
    EXPECT_EQ(s.t.srv->log.size(), calls);
}

const char* const kTexts[] = {"sys_mens", "sys_modv", "sys_rlot", "cox_serv", "cox_port", "cox_user",
                              "cox_dtbs", "cox_dtb1", "cox_dtb2", "cox_dtb3", "rep_letr", "rep_enca",
                              "rep_juga", "rep_simb", "rep_codb", "rep_cutt", "rep_agot"};
const char* const kInts[] = {"sys_zord", "rep_nprn", "rep_salt", "rep_marg"};

QString key(const char* k) { return fake::Settings::path("vuroda", "parsys", k); }

// The settings as read: the texts between quotes, then ord_lot (from sys_zord) and the
// printer's number, feed and margin.
QString settings(App& a)
{
    const CfgReg& c = a.cfg_reg;
    return "'" + QStringList({c.sys_mens, c.sys_modv, c.sys_rlot, c.cox_serv, c.cox_port, c.cox_user, c.cox_dtbs,
                              c.cox_dtb1, c.cox_dtb2, c.cox_dtb3, c.rep_letr, c.rep_enca, c.rep_juga, c.rep_simb,
                              c.rep_codb, c.rep_cutt, c.rep_agot}).join("' '") +
           QString("' %1 %2 %3 %4").arg(a.ses_val.ord_lot).arg(c.rep_nprn).arg(c.rep_salt).arg(c.rep_marg);
}

TEST(StartUp, SettingsAreReadOrTakeTheirDefaults)
{
    QStringList lines;
    {
        TestApp t;
        const QString marker = fake::Settings::path("brontex", "TOVAREN", "version");
        t.reg->values[marker] = "0.0.0.0";  // an update was asked for last time
        main_window w(*t);
        t->ses_val.ord_lot = 7;
        t->ses_val.cod_caj = "01";
        w.Form_Load();
        const auto& s = t->ses_val;
        EXPECT_EQ(s.fec_sys, QDate::currentDate());
        lines << "first start: " + settings(*t)
              << QString("  caja '%1', flg_anu %2, anu_ven %3, val_fijo %4, mod_sys %5, jug_sys %6, num_hdd %7, "
                         "men_cont %8")
                     .arg(s.cod_caj).arg(s.flg_anu).arg(s.anu_ven).arg(s.val_fijo).arg(s.mod_sys).arg(s.jug_sys)
                     .arg(t->num_hdd).arg(t->men_srv.men_cont)
              << QString("  marker %1 (read %2), synced %3")
                     .arg(t.reg->values.value(marker), marker_read(*t)).arg(t.reg->syncs > 0)
              << QString("  window shown %1, timer %2, calls %3, connection %4")
                     .arg(w.isVisible()).arg(w.timers->isActive()).arg(t.srv->log.size())
                     .arg(t->cox_bd.state() == db::adStateOpen ? "open" : "closed");
    }
    {
        TestApp t;
        for (const char* k : kTexts)
            t.reg->values[key(k)] = QString(" v_%1 ").arg(k);
        for (const auto& [k, v] : {std::pair{"sys_zord", "1"}, {"rep_nprn", "2"}, {"rep_salt", " 3 "}, {"rep_marg", "-4"}})
            t.reg->values[key(k)] = v;
        cfg_load(*t);
        lines << "saved: " + settings(*t);
    }
    // Whole-number settings that are not 16-bit numbers give 0.
    for (const char* text : {"", "abc", "1x", "32767", "32768", "-32768", "-32769", "99999999999", "2.5", "3.5", "1e2",
                             "nan", "inf"}) {
        TestApp t;
        for (const char* k : kInts)
            t.reg->values[key(k)] = text;
        cfg_load(*t);
        lines << QString("'%1': ").arg(text) + settings(*t).section(' ', -4);
    }
    expect_golden(lines, "shell/settings.txt");
}

const QStringList ten_codes{"202", "203", "301", "302", "401", "402", "403", "404", "405", "503"};
const QStringList ten_items{"mov_prm", "mov_dpo", "pro_pag", "pro_anu", "rep_vtq",
                            "rep_rtq", "rep_rba", "rep_caj", "rep_lup", "userx"};

// Each login starts over from the whole menu and hides its denied items only; rep_itx and
// sorteo are decided by the login values alone, by enabling, never by hiding, and a later
// per_table leaves them alone.
TEST(Permissions, EachLoginHidesItsDeniedItemsOnly)
{
    const struct { QStringList rows; int por_imp; const char* caja; } cases[] = {
        {{"202", "302"}, 0, "00"}, {{"405"}, -1, "01"}, {{}, 1, "01"}, {{"202", "503"}, 12, "0"}, {{"302"}, 0, " 00"},
        {{" 404 "}, 5, "00"}, {ten_codes, 0, "01"}, {{"999", "", "40", "4044"}, 1, "00"},
        {{"\t404", "302\r\n", "0202"}, 0, "01"},  // only blanks are trimmed
        {{"203", "203"}, 0, "01"},
    };
    TestApp t;
    main_window w(*t);
    auto* itx = t->mnu.value("rep_itx");
    auto* sorteo = t->mnu.value("sorteo");
    t->tab_per.per_cod = QStringList(12, "x");
    QStringList lines;
    for (const auto& c : cases) {
        t->ses_val.por_imp = c.por_imp;
        t->ses_val.cod_caj = c.caja;
        per_table(*t);
        for (const auto& r : c.rows)
            per_row(*t, r);
        per_values(*t);
        QStringList hidden, disabled;
        for (const auto& name : t->mnu.keys()) {
            if (!t->mnu.value(name)->isVisible())
                hidden << name;
            if (!t->mnu.value(name)->isEnabled())
                disabled << name;
        }
        hidden.sort();
        disabled.sort();
        QString line = QString("[%1] por_imp %2 caja '%3': hidden %4; disabled %5; flg_anu %6")
                           .arg(QString(c.rows.join(',')).replace("\t", "\\t").replace("\r\n", "\\r\\n"))
                           .arg(c.por_imp).arg(c.caja, hidden.join(' '), disabled.join(' ')).arg(t->ses_val.flg_anu);
        for (const auto& name : ten_items)
            t->mnu.value(name)->setEnabled(false);  // the next login enables them again
        per_table(*t);
        lines << line + QString("; after per_table rep_itx %1 sorteo %2").arg(itx->isEnabled()).arg(sorteo->isEnabled());
    }
    lines << "codes: " + t->tab_per.per_cod.join(' ');
    expect_golden(lines, "shell/permissions.txt");
}

} // namespace
