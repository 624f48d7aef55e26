#include "core/shell/list_editor.h"
#include "core/shell/main_window.h"
#include "core/shell/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
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
    QString active() { return w->mdi_area()->activeSubWindow()->widget()->objectName(); }
};

void deferred_deletes()
{
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(MainWindow, CaptionColourAndTimer)
{
    const QColor yellow(64, 64, 0), green(0, 64, 0), red(64, 0, 0), none;
    // r = jug_sys / mod_sys; no tag: not connected (cod_caj "**" or flg_nocox 1).
    const struct { const char* dtbs; double r; const char* rnl; const char* tag; QColor back; const char* caja = "01";
                   int nocox = 0; } cases[] = {
        {"ABC", 0.5, "", " (B)", yellow}, {"ABC", 1, "", " (B)", yellow},     {"ABC", 1.5, "", "", yellow},
        {"ABC", 5, "", "", yellow},       {"ABC", 10, "", " (P)", green},     {"ABC", 100, "", " (P)", green},
        {"ABC", 101, "", "", yellow},     {"AB$", 1, "", " ($)", green},      {"AB$", 1, "RNL-1", " ($)", red},
        {"ABC", 10, "RNL-1", " (P)", red}, {"ABC", 5, "RNL-1", "", red},
        {"ABC", 1, "RNL-1", nullptr, none, "**"}, {"ABC", 1, "RNL-1", nullptr, none, "01", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dtbs << " " << c.r << " " << c.rnl << " " << c.caja << " " << c.nocox);
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
        const QString tail = *c.rnl ? QString("     ") + c.rnl : "        www.kelmaris.com";
        EXPECT_EQ(s.w->windowTitle(), c.tag ? QString("Tovaren v3.8.2.4 - AGENCIA UNO%1 - Caja: 01").arg(c.tag) + tail
                                            : "Tovaren v3.8.2.4 - Sin Conexión");
        EXPECT_EQ(s.w->mdi_area()->background().color(), c.tag ? c.back : before);
        EXPECT_EQ(s.w->timers->isActive(), c.tag != nullptr);  // only the connected caption starts it
        EXPECT_EQ(s.w->timers->interval(), 60000);
        s.t->flg_nocox = 1;  // a connection lost after a login leaves it running
        s.w->main_caption();
        EXPECT_EQ(s.w->timers->isActive(), c.tag != nullptr);
    }
}

TEST(MainWindow, MenuItemsAndTheirWindows)
{
    Shell s;
    s.w->show();
    // How the item opens its window: c MDI child, d modal dialog, t separate window, p pop-up
    // item of a list window (verb: of the stand-in's box), - nothing registered.
    // The pop-ups come first: they load their list windows without showing them.
    const struct { const char* name; const char* window; char how; const char* verb = ""; } items[] = {
        {"usr_incluir", "usuarios", 'p'}, {"usr_modificar", "usuarios", 'p', "modificar"},
        {"usr_eliminar", "usuarios", 'p', "eliminar"}, {"usr_permisos", "usuarios", 'p', "configurar"},
        {"dpo_incluir", "movdpo", 'p'}, {"dpo_modificar", "movdpo", 'p', "modificar"},
        {"dpo_eliminar", "movdpo", 'p', "eliminar"},
        {"mov_tik", "movtik", 'c'}, {"mov_prm", "movprm", 'c'}, {"mov_dpo", "movdpo", 'c'},
        {"pro_anu", "proatk", 'c'}, {"pro_pag", "proptk", 'c'}, {"rep_vtq", "repvtq", 'c'},
        {"rep_rtq", "reprtq", 'c'}, {"rep_rba", "reprba", 'c'}, {"rep_caj", "repctq", 'c'},
        {"rep_lup", "replup", 'c'}, {"rep_itx", "repitx", 'c'}, {"conex", "conexion", '-'},
        {"par_sys", "parsys", 'd'}, {"par_prn", "parprn", 'd'}, {"sorteo", "sorteos", 't'},
        {"userx", "usuarios", 'c'}, {"con_men", "mensajes", '-'},
    };
    for (const auto& i : items) {
        SCOPED_TRACE(i.name);
        QAction* a = s.item(i.name);
        ASSERT_TRUE(a);
        EXPECT_EQ(s.t->mnu.value(i.name), a);
        s.t.dlg->boxes.clear();
        QString modal;
        if (i.how == 'd')
            QTimer::singleShot(0, [&] {
                QWidget* m = QApplication::activeModalWidget();
                if (m && m->isWindow() && m->windowModality() == Qt::ApplicationModal)
                    modal = m->objectName();
                if (m)
                    m->close();
            });
        a->trigger();
        const QString box = QString("No hay registros para %1.").arg(i.verb) + QString(10, ' ');
        EXPECT_EQ(s.t.dlg->texts(), *i.verb ? QStringList{box} : QStringList{});
        EXPECT_EQ(s.t->is_loaded(i.window), i.how == 'p' || i.how == 'c' || i.how == 't');
        EXPECT_EQ(modal, i.how == 'd' ? i.window : "");
        if (i.how == 'c' || i.how == 't') {  // a second time brings the same window forward
            QWidget* w = s.t->window(i.window);
            a->trigger();
            EXPECT_EQ(s.t->window(i.window), w);
            EXPECT_EQ(w->isWindow(), i.how == 't');
            EXPECT_TRUE(w->isVisible());
            EXPECT_TRUE(i.how == 't' || (s.active() == i.window && w->size() == QSize(360, 160)));  // its own size
        }
    }
    s.item("mov_prm")->trigger();
    EXPECT_EQ(s.active(), "movprm");
    EXPECT_EQ(s.subs().size(), 12);
    for (const auto& [name, key] : {std::pair{"mov_tik", Qt::Key_F5}, {"pro_anu", Qt::Key_F7}, {"pro_pag", Qt::Key_F8},
                                    {"salir2", Qt::Key_F9}})
        EXPECT_EQ(s.item(name)->shortcut(), QKeySequence(key)) << name;
    // The list windows pop their menus up by name.
    EXPECT_EQ(s.t->mnu.value("menuusr")->menu<QMenu*>(), s.w->menuusr);
    EXPECT_EQ(s.t->mnu.value("menudpo")->menu<QMenu*>(), s.w->menudpo);

    // Its own Salir, closing its frame or unloading it by name takes window and frame; the
    // item then loads it afresh.
    s.t->window("sorteos")->close();
    const std::pair<const char*, std::function<void(QWidget*)>> closers[] = {
        {"movprm", [](QWidget* w) { w->findChild<QPushButton*>("b_salir")->click(); }},
        {"repvtq", [](QWidget* w) { qobject_cast<QMdiSubWindow*>(w->parentWidget())->close(); }},
        {"usuarios", [&](QWidget*) { s.t->unload("usuarios"); }},
    };
    for (const auto& [name, close] : closers) {
        QPointer<QWidget> w = s.t->window(name);
        close(w);
        deferred_deletes();
        EXPECT_TRUE(w.isNull()) << name;
        EXPECT_FALSE(s.t->is_loaded(name)) << name;
    }
    EXPECT_FALSE(s.t->is_loaded("sorteos"));
    EXPECT_EQ(s.subs().size(), 9);
    s.item("mov_prm")->trigger();
    EXPECT_EQ(s.subs().size(), 10);

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

// The first activation is run over the wire with the login (tests/e2e/session_test.cpp).
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

} // namespace
