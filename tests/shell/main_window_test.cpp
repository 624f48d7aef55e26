#include "core/shell/list_editor.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

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
};

// Answers the next modal window: runs f on it, then closes it.
void on_modal(std::function<void(QWidget*)> f)
{
    QTimer::singleShot(0, [f] {
        QWidget* m = QApplication::activeModalWidget();
        f(m);
        if (m)
            m->close();
    });
}

TEST(MainWindow, CaptionTagColourAndTimer)
{
    const QString head = "Tovaren v3.8.2.4 - AGENCIA UNO";
    const QString marca = "        www.kelmaris.com";  // five blanks, then txt_marca
    struct Case {
        const char* dtbs;
        double r;         // jug_sys / mod_sys
        const char* rnl;
        QString caption;
        QColor back;
    } cases[] = {
        {"ABC", 1, "", head + " (B) - Caja: 01" + marca, QColor(64, 64, 0)},
        {"ABC", 0.5, "", head + " (B) - Caja: 01" + marca, QColor(64, 64, 0)},
        {"ABC", 5, "", head + " - Caja: 01" + marca, QColor(64, 64, 0)},
        {"ABC", 1.5, "", head + " - Caja: 01" + marca, QColor(64, 64, 0)},
        {"ABC", 10, "", head + " (P) - Caja: 01" + marca, QColor(0, 64, 0)},
        {"ABC", 100, "", head + " (P) - Caja: 01" + marca, QColor(0, 64, 0)},
        {"ABC", 101, "", head + " - Caja: 01" + marca, QColor(64, 64, 0)},
        {"AB$", 1, "", head + " ($) - Caja: 01" + marca, QColor(0, 64, 0)},
        {"AB$", 1, "RNL-123", head + " ($) - Caja: 01     RNL-123", QColor(64, 0, 0)},
        {"ABC", 10, "RNL-123", head + " (P) - Caja: 01     RNL-123", QColor(64, 0, 0)},
        {"ABC", 1, "RNL-123", head + " (B) - Caja: 01     RNL-123", QColor(64, 0, 0)},
        {"ABC", 5, "RNL-123", head + " - Caja: 01     RNL-123", QColor(64, 0, 0)},
    };
    for (const auto& c : cases) {
        Shell s;
        auto& v = s.t->ses_val;
        v.cod_caj = "01";
        v.nom_ven = "  AGENCIA UNO ";
        v.num_rnl = c.rnl;
        v.jug_sys = v.mod_sys * c.r;
        s.t->dat_cox.cod_dtbs = c.dtbs;
        s.t->flg_nocox = 0;
        ASSERT_TRUE(s.t->main_caption);
        s.t->main_caption();
        EXPECT_EQ(s.w->windowTitle().toStdString(), c.caption.toStdString()) << c.dtbs << " " << c.r << " " << c.rnl;
        EXPECT_EQ(s.w->mdi_area()->background().color(), c.back) << c.dtbs << " " << c.r << " " << c.rnl;
        EXPECT_TRUE(s.w->timers->isActive());
        EXPECT_EQ(s.w->timers->interval(), 60000);
    }
}

TEST(MainWindow, CaptionWithoutConnectionLeavesColourAndTimer)
{
    for (int form = 0; form < 2; ++form) {
        Shell s;
        const QColor before = s.w->mdi_area()->background().color();
        s.t->ses_val.cod_caj = form == 0 ? "**" : "01";
        s.t->flg_nocox = form == 0 ? 0 : 1;
        s.t->ses_val.num_rnl = "RNL";
        s.w->main_caption();
        EXPECT_EQ(s.w->windowTitle(), "Tovaren v3.8.2.4 - Sin Conexión");
        EXPECT_FALSE(s.w->timers->isActive());
        EXPECT_EQ(s.w->mdi_area()->background().color(), before);
    }
    // A lost connection after a login keeps the timer running.
    Shell s;
    s.t->ses_val.cod_caj = "01";
    s.w->main_caption();
    ASSERT_TRUE(s.w->timers->isActive());
    s.t->flg_nocox = 1;
    s.w->main_caption();
    EXPECT_TRUE(s.w->timers->isActive());
    EXPECT_EQ(s.w->windowTitle(), "Tovaren v3.8.2.4 - Sin Conexión");
}

TEST(MainWindow, MenuTree)
{
    Shell s;
    struct Item {
        const char* menu;
        const char* name;
        const char* caption;
        QKeySequence key;
    } items[] = {
        {"movimientos", "mov_tik", "Venta de Tickets", QKeySequence(Qt::Key_F5)},
        {"movimientos", "mov_prm", "Números Premiados", {}},
        {"movimientos", "mov_dpo", "Depósitos Banca", {}},
        {"procesos", "pro_anu", "Anulación de Tickets", QKeySequence(Qt::Key_F7)},
        {"procesos", "pro_pag", "Pago de Tickets", QKeySequence(Qt::Key_F8)},
        {"reportes", "rep_vtq", "Ventas Tovaren", {}},
        {"reportes", "rep_rtq", "Resultados Tovaren", {}},
        {"reportes", "rep_rba", "Resultados Banca", {}},
        {"reportes", "rep_caj", "Cuadre de Caja", {}},
        {"reportes", "rep_lup", "Cuadre de Cuentas", {}},
        {"reportes", "rep_itx", "Impuesto Municipal", {}},
        {"otros", "conex", "Conexión", {}},
        {"param", "par_sys", "Tovaren", {}},
        {"param", "par_prn", "Impresora", {}},
        {"otros", "sorteo", "Loterias", {}},
        {"otros", "userx", "Usuarios", {}},
        {"otros", "con_men", "Mensajes", {}},
        {"salir", "salir2", "Salir", QKeySequence(Qt::Key_F9)},
        {"menuusr", "usr_incluir", "Incluir", {}},
        {"menuusr", "usr_modificar", "Modificar", {}},
        {"menuusr", "usr_eliminar", "Eliminar", {}},
        {"menuusr", "usr_permisos", "Permisos", {}},
        {"menudpo", "dpo_incluir", "Incluir", {}},
        {"menudpo", "dpo_modificar", "Modificar", {}},
        {"menudpo", "dpo_eliminar", "Eliminar", {}},
    };
    for (const auto& i : items) {
        QAction* a = s.item(i.name);
        ASSERT_TRUE(a) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->shortcut(), i.key) << i.name;
        auto* menu = s.w->findChild<QMenu*>(i.menu);
        ASSERT_TRUE(menu) << i.menu;
        EXPECT_TRUE(menu->actions().contains(a)) << i.name;
        EXPECT_EQ(s.t->mnu.value(i.name), a) << i.name;
        EXPECT_TRUE(a->isEnabled() && a->isVisible()) << i.name;
    }
    // The menu bar in order, the Parámetros submenu inside Otros, the pop-ups nowhere in it.
    QStringList bar;
    for (QAction* a : s.w->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, QStringList({"Movimientos", "Procesos", "Reportes", "Otros", "Salir"}));
    auto* otros = s.w->findChild<QMenu*>("otros");
    auto* param = s.w->findChild<QMenu*>("param");
    EXPECT_EQ(param->title(), "Parámetros");
    EXPECT_TRUE(otros->actions().contains(param->menuAction()));
    EXPECT_EQ(otros->actions().indexOf(param->menuAction()), 1);
    EXPECT_EQ(s.w->menuusr->actions().size(), 5);
    EXPECT_TRUE(s.w->menuusr->actions()[3]->isSeparator());
    EXPECT_EQ(s.t->mnu.value("menuusr")->menu<QMenu*>(), s.w->menuusr);
    EXPECT_EQ(s.t->mnu.value("menudpo")->menu<QMenu*>(), s.w->menudpo);
    EXPECT_FALSE(bar.contains("menuusr") || bar.contains("menudpo"));
    EXPECT_EQ(s.t->timers, s.w->timers);
    EXPECT_EQ(s.w->timers->objectName(), "timers");
    EXPECT_EQ(s.w->objectName(), "main");

    // Gone with the window: nothing dangles in App.
    s.w.reset();
    EXPECT_TRUE(s.t->mnu.isEmpty());
    EXPECT_EQ(s.t->timers, nullptr);
    EXPECT_EQ(s.t->mdi, nullptr);
    EXPECT_FALSE(s.t->main_caption);
}

TEST(MainWindow, ChildWindowsAreSingleInstances)
{
    Shell s;
    s.w->show();
    const std::pair<const char*, const char*> children[] = {
        {"mov_tik", "movtik"}, {"mov_prm", "movprm"}, {"mov_dpo", "movdpo"}, {"pro_anu", "proatk"},
        {"pro_pag", "proptk"}, {"rep_vtq", "repvtq"}, {"rep_rtq", "reprtq"}, {"rep_rba", "reprba"},
        {"rep_caj", "repctq"}, {"rep_lup", "replup"}, {"rep_itx", "repitx"}, {"userx", "usuarios"},
    };
    for (const auto& [item, window] : children) {
        s.item(item)->trigger();
        QWidget* first = s.t->window(window);
        ASSERT_TRUE(first) << window;
        s.item(item)->trigger();
        EXPECT_EQ(s.t->window(window), first) << window;
        EXPECT_EQ(s.w->mdi_area()->activeSubWindow()->widget(), first) << window;
        EXPECT_EQ(first->objectName(), window);
        EXPECT_EQ(first->size(), QSize(360, 160)) << window;  // its own client size
    }
    EXPECT_EQ(s.subs().size(), 12);

    // Activating an open window brings it forward without a new one.
    s.item("mov_prm")->trigger();
    EXPECT_EQ(s.w->mdi_area()->activeSubWindow()->widget()->objectName(), "movprm");
    EXPECT_EQ(s.subs().size(), 12);
}

TEST(MainWindow, ClosedChildIsUnloadedAndLoadsAfresh)
{
    Shell s;
    s.w->show();
    s.item("mov_prm")->trigger();
    QPointer<QWidget> first = s.t->window("movprm");

    // Its own "Salir" closes it and its frame.
    QTest::mouseClick(first->findChild<QPushButton*>("b_salir"), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(s.t->is_loaded("movprm"));
    EXPECT_TRUE(s.subs().isEmpty());

    // Closing the frame unloads it too.
    s.item("mov_prm")->trigger();
    QPointer<QWidget> second = s.t->window("movprm");
    ASSERT_TRUE(second);
    s.subs().first()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(s.subs().isEmpty());

    // So does unloading it by name.
    s.item("mov_prm")->trigger();
    s.t->unload("movprm");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s.subs().isEmpty());
    s.item("mov_prm")->trigger();
    EXPECT_EQ(s.subs().size(), 1);
}

TEST(MainWindow, ModalAndSeparateWindows)
{
    Shell s;
    s.w->show();
    for (const auto& [item, window] : {std::pair{"par_sys", "parsys"}, std::pair{"par_prn", "parprn"}}) {
        QString seen;
        bool modal = false;
        on_modal([&](QWidget* m) {
            seen = m ? m->objectName() : QString();
            modal = m && m->isWindow() && m->windowModality() == Qt::ApplicationModal;
        });
        s.item(item)->trigger();
        EXPECT_EQ(seen, window);
        EXPECT_TRUE(modal) << window;
        EXPECT_FALSE(s.t->is_loaded(window)) << window;
    }
    EXPECT_TRUE(s.subs().isEmpty());

    s.item("sorteo")->trigger();
    QWidget* sorteos = s.t->window("sorteos");
    ASSERT_TRUE(sorteos);
    EXPECT_TRUE(sorteos->isWindow());
    EXPECT_TRUE(sorteos->isVisible());
    EXPECT_EQ(sorteos->windowTitle(), "Loterias");
    EXPECT_TRUE(s.subs().isEmpty());
    s.item("sorteo")->trigger();
    EXPECT_EQ(s.t->window("sorteos"), sorteos);
    sorteos->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(s.t->is_loaded("sorteos"));

    // Windows that are not registered open nothing.
    s.item("con_men")->trigger();
    s.item("conex")->trigger();
    EXPECT_TRUE(s.subs().isEmpty());
}

TEST(MainWindow, SalirEndsAtOnceWithoutServerCalls)
{
    Shell s;
    s.t.connect();
    s.w->show();
    s.item("mov_prm")->trigger();
    const auto calls = s.t.srv->log.size();
    const int syncs = s.t.reg->syncs;
    s.item("salir2")->trigger();
    EXPECT_TRUE(s.t.sys->ended);
    EXPECT_EQ(s.t.sys->end_code, 0);
    EXPECT_EQ(s.t.reg->syncs, syncs + 1);
    EXPECT_EQ(s.t.srv->log.size(), calls);
    EXPECT_TRUE(s.t->is_loaded("movprm"));
    EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
}

TEST(MainWindow, ClosingClosesTheConnectionAndSendsNothing)
{
    Shell s;
    s.t.connect();
    s.t->ses_val.cod_caj = "01";
    s.w->main_caption();
    ASSERT_TRUE(s.w->timers->isActive());
    ASSERT_EQ(s.t->cox_bd.state(), db::adStateOpen);
    const auto calls = s.t.srv->log.size();
    bool ended = false;
    QObject::connect(s.w.get(), &main_window::unloaded, [&] { ended = true; });
    s.w->show();
    s.w->close();
    EXPECT_EQ(s.t->cox_bd.state(), db::adStateClosed);
    EXPECT_FALSE(s.w->timers->isActive());  // no later tick reopens it
    EXPECT_EQ(s.t.srv->log.size(), calls);
    EXPECT_TRUE(ended);
}

TEST(MainWindow, FirstActivationShowsTheLoginWhileHidden)
{
    Shell s;
    bool hidden = false;
    QString caja;
    s.t->register_window("conexion", [&](App& a) -> QWidget* {
        auto* d = new QDialog;
        QTimer::singleShot(0, d, [&, d, ap = &a] {
            hidden = !s.w->isVisible();
            caja = ap->ses_val.cod_caj;
            ap->ses_val.cod_caj = "01";
            d->accept();
        });
        return d;
    });
    s.w->Form_Activate();
    EXPECT_TRUE(hidden);
    EXPECT_EQ(caja, "**");
    EXPECT_EQ(s.t->ses_val.cod_caj, "01");
    EXPECT_TRUE(s.w->isVisible());
    EXPECT_TRUE(s.w->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(s.t->is_loaded("conexion"));

    // Later activations do nothing.
    s.w->hide();
    s.w->Form_Activate();
    EXPECT_FALSE(s.w->isVisible());
    EXPECT_EQ(s.t->ses_val.cod_caj, "01");
}

TEST(MainWindow, FirstActivationWithoutLoginWindow)
{
    Shell s;
    s.w->Form_Activate();
    EXPECT_EQ(s.t->ses_val.cod_caj, "**");
    EXPECT_TRUE(s.w->isVisible());
    EXPECT_FALSE(s.w->timers->isActive());
}

TEST(MainWindow, PopUpItemsCallTheListWindows)
{
    Shell s;
    const QString mod = "No hay registros para modificar." + QString(10, ' ');
    const QString eli = "No hay registros para eliminar." + QString(10, ' ');
    const QString con = "No hay registros para configurar." + QString(10, ' ');
    struct Case {
        const char* item;
        const char* window;
        QString text;  // empty: no box
    } cases[] = {
        {"usr_incluir", "usuarios", ""}, {"usr_modificar", "usuarios", mod},
        {"usr_eliminar", "usuarios", eli}, {"usr_permisos", "usuarios", con},
        {"dpo_incluir", "movdpo", ""}, {"dpo_modificar", "movdpo", mod},
        {"dpo_eliminar", "movdpo", eli},
    };
    for (const auto& c : cases) {
        s.t.dlg->boxes.clear();
        s.item(c.item)->trigger();
        EXPECT_TRUE(s.t->is_loaded(c.window)) << c.item;
        if (c.text.isEmpty()) {
            EXPECT_TRUE(s.t.dlg->boxes.isEmpty()) << c.item;
        } else {
            ASSERT_EQ(s.t.dlg->boxes.size(), 1) << c.item;
            EXPECT_EQ(s.t.dlg->boxes[0].text, c.text) << c.item;
            EXPECT_EQ(s.t.dlg->boxes[0].style, 64) << c.item;
            EXPECT_EQ(s.t.dlg->boxes[0].title, "Tovaren") << c.item;
        }
    }
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

    // One registered after the stand-ins replaces them too.
    t->register_window("movprm", [](App&) -> QWidget* { return new QWidget; });
    w.mov_prm_Click();
    EXPECT_EQ(qobject_cast<QWidget*>(t->window("movprm"))->metaObject()->className(), QString("QWidget"));
}

} // namespace
