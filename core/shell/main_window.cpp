#include "main_window.h"
#include "mdi_child.h"
#include "show.h"
#include "timers.h"
#include "core/app/rule.h"
#include "core/login/cfg_reg.h"
#include "core/login/deploy.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

main_window::main_window(App& app, QWidget* parent) : QMainWindow(parent), app_(app)
{
    setObjectName("main");
    setWindowTitle("Tovaren");
    mdi_ = new QMdiArea(this);
    app_.mdi = mdi_;
    mdi_->setObjectName("mdi");
    setCentralWidget(mdi_);
    resize(800, 600);

    timers = new QTimer(this);
    timers->setObjectName("timers");
    timers->setInterval(60000);
    connect(timers, &QTimer::timeout, this, [this] { timers_Timer(app_); });
    app_.timers = timers;

    build_menus();
    app_.main_caption = [this] { main_caption(); };
}

main_window::~main_window()
{
    app_.main_caption = nullptr;
    if (app_.timers == timers)
        app_.timers = nullptr;
    if (app_.mdi == mdi_)
        app_.mdi = nullptr;
    for (const auto& name : registered_)
        app_.mnu.remove(name);
}

void main_window::keep(const QString& name, QAction* action)
{
    app_.mnu.insert(name, action);
    registered_ << name;
}

QAction* main_window::add_item(QMenu* menu, const char* name, const QString& caption,
                               void (main_window::*handler)(), const QKeySequence& key)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    connect(a, &QAction::triggered, this, handler);
    keep(a->objectName(), a);
    return a;
}

void main_window::build_menus()
{
    auto top = [this](const char* name, const QString& title, QWidget* parent) {
        auto* m = new QMenu(title, parent);
        m->setObjectName(QString::fromLatin1(name));
        keep(m->objectName(), m->menuAction());
        return m;
    };
    // The menu bar itself is made when the window is first shown (setVisible): making it
    // loads the style's images, which the login window, shown first, does without.
    QMenu* movimientos = top("movimientos", "Movimientos", this);
    add_item(movimientos, "mov_tik", "Venta de Tickets", &main_window::mov_tik_Click, Qt::Key_F5);
    add_item(movimientos, "mov_prm", "Números Premiados", &main_window::mov_prm_Click);
    add_item(movimientos, "mov_dpo", "Depósitos Banca", &main_window::mov_dpo_Click);
    bar_menus_ << movimientos;

    QMenu* procesos = top("procesos", "Procesos", this);
    add_item(procesos, "pro_anu", "Anulación de Tickets", &main_window::pro_anu_Click, Qt::Key_F7);
    add_item(procesos, "pro_pag", "Pago de Tickets", &main_window::pro_pag_Click, Qt::Key_F8);
    bar_menus_ << procesos;

    QMenu* reportes = top("reportes", "Reportes", this);
    add_item(reportes, "rep_vtq", "Ventas Tovaren", &main_window::rep_vtq_Click);
    add_item(reportes, "rep_rtq", "Resultados Tovaren", &main_window::rep_rtq_Click);
    add_item(reportes, "rep_rba", "Resultados Banca", &main_window::rep_rba_Click);
    add_item(reportes, "rep_caj", "Cuadre de Caja", &main_window::rep_caj_Click);
    add_item(reportes, "rep_lup", "Cuadre de Cuentas", &main_window::rep_lup_Click);
    add_item(reportes, "rep_itx", "Impuesto Municipal", &main_window::rep_itx_Click);
    bar_menus_ << reportes;

    QMenu* otros = top("otros", "Otros", this);
    add_item(otros, "conex", "Conexión", &main_window::conex_Click);
    QMenu* param = top("param", "Parámetros", otros);
    add_item(param, "par_sys", "Tovaren", &main_window::par_sys_Click);
    add_item(param, "par_prn", "Impresora", &main_window::par_prn_Click);
    otros->addMenu(param);
    add_item(otros, "sorteo", "Loterias", &main_window::sorteo_Click);
    add_item(otros, "userx", "Usuarios", &main_window::userx_Click);
    add_item(otros, "con_men", "Mensajes", &main_window::con_men_Click);
    bar_menus_ << otros;

    QMenu* salir = top("salir", "Salir", this);
    add_item(salir, "salir2", "Salir", &main_window::salir2_Click, Qt::Key_F9);
    bar_menus_ << salir;

    // Pop-ups of the users and deposits lists; never in the menu bar.
    menuusr = top("menuusr", "menuusr", this);
    add_item(menuusr, "usr_incluir", "Incluir", &main_window::usr_incluir_Click);
    add_item(menuusr, "usr_modificar", "Modificar", &main_window::usr_modificar_Click);
    add_item(menuusr, "usr_eliminar", "Eliminar", &main_window::usr_eliminar_Click);
    menuusr->addSeparator();
    add_item(menuusr, "usr_permisos", "Permisos", &main_window::usr_permisos_Click);

    menudpo = top("menudpo", "menudpo", this);
    add_item(menudpo, "dpo_incluir", "Incluir", &main_window::dpo_incluir_Click);
    add_item(menudpo, "dpo_modificar", "Modificar", &main_window::dpo_modificar_Click);
    add_item(menudpo, "dpo_eliminar", "Eliminar", &main_window::dpo_eliminar_Click);
}

void main_window::Form_Load()
{
    auto& s = app_.ses_val;
    // The window stays hidden until its first activation has seen the login through.
    s.cod_caj = "";
    s.fec_sys = QDate::currentDate();
    s.flg_anu = 1;
    s.anu_ven = "0";
    cfg_load(app_);
    s.val_fijo = 1;
    app_.num_hdd = hdd_serial(app_.sys);
    s.mod_sys = 100000000.0;
    s.jug_sys = s.mod_sys;
    app_.txt_marca = QString(3, ' ') + QString::fromLatin1(deploy::web_site);
    app_.men_srv.men_cont = 10;
    ani_table(app_.vocab);
    zod_table(app_.vocab);
    app_.nom_prg = "TOVAREN";
    app_.ver_num = "3.8.2";
    app_.ver_sub = ".4";
    app_.ver_comp = app_.ver_num + app_.ver_sub;
    marker_write(app_, app_.ver_comp);
}

void main_window::Form_Activate()
{
    if (!app_.ses_val.cod_caj.isEmpty())
        return;
    hide();
    app_.ses_val.cod_caj = "**";
    show_modal_named("conexion");
    move(0, 0);
    showMaximized();
}

void main_window::Form_Unload()
{
    // The timer goes with the window: no keep-alive may reopen the connection after this.
    timers->stop();
    if (app_.cox_bd.state() != db::adStateClosed)
        app_.cox_bd.close();
}

void main_window::setVisible(bool visible)
{
    if (visible)
        for (QMenu* menu : std::exchange(bar_menus_, {}))
            menuBar()->addMenu(menu);
    QMainWindow::setVisible(visible);
}

void main_window::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    emit unloaded();
}

void main_window::main_caption()
{
    const auto& s = app_.ses_val;
    const QString head = "Tovaren v" + app_.ver_num.trimmed() + app_.ver_sub.trimmed();
    if (s.cod_caj == "**" || app_.flg_nocox != 0) {
        setWindowTitle(head + " - Sin Conexión");
        return;
    }
    QString tag;
    if (app_.dat_cox.cod_dtbs.contains('$')) {
        tag = " ($)";
    } else {
        const double r = s.jug_sys / s.mod_sys;
        if (r >= 10 && r <= 100)
            tag = " (P)";
        else if (r <= 1)
            tag = " (B)";
    }
    const QString tail = s.num_rnl.isEmpty() ? app_.txt_marca : s.num_rnl;
    setWindowTitle(head + " - " + s.nom_ven.trimmed() + tag + " - Caja: " + s.cod_caj + QString(5, ' ') + tail);

    // Red 64 for a numbered outlet, green 64 for the "$" and (P) presentations, else dark yellow.
    QColor back(64, 64, 0);
    if (!s.num_rnl.isEmpty())
        back = QColor(64, 0, 0);
    else if (tag == " ($)" || tag == " (P)")
        back = QColor(0, 64, 0);
    mdi_->setBackground(back);

    if (!timers->isActive())
        timers->start();
}

QWidget* main_window::show_child(const QString& name)
{
    QWidget* w = app_.window(name);
    show_mdi_child(app_, w);
    return w;
}

void main_window::show_modal_named(const QString& name)
{
    if (QWidget* w = app_.window(name))
        show_modal(w);
}

ListEditor* main_window::list_editor(const QString& name)
{
    return dynamic_cast<ListEditor*>(app_.window(name));
}

void main_window::mov_tik_Click() { show_child("movtik"); }
void main_window::mov_prm_Click() { show_child("movprm"); }
void main_window::mov_dpo_Click() { show_child("movdpo"); }
void main_window::pro_anu_Click() { show_child("proatk"); }
void main_window::pro_pag_Click() { show_child("proptk"); }
void main_window::rep_vtq_Click() { show_child("repvtq"); }
void main_window::rep_rtq_Click() { show_child("reprtq"); }
void main_window::rep_rba_Click() { show_child("reprba"); }
void main_window::rep_caj_Click() { show_child("repctq"); }
void main_window::rep_lup_Click() { show_child("replup"); }
void main_window::rep_itx_Click() { show_child("repitx"); }
void main_window::conex_Click() { show_modal_named("conexion"); }
void main_window::par_sys_Click() { show_modal_named("parsys"); }
void main_window::par_prn_Click() { show_modal_named("parprn"); }
void main_window::sorteo_Click() { show_top(app_.window("sorteos")); }
void main_window::userx_Click() { show_child("usuarios"); }
void main_window::con_men_Click() { show_child("mensajes"); }

void main_window::salir2_Click()
{
    // At once: nothing is unloaded first and nothing is sent.
    app_.reg.sync();
    app_.sys.end_program(0);
}

void main_window::usr_incluir_Click()
{
    if (auto* e = list_editor("usuarios"))
        e->b_incluir_Click();
}
void main_window::usr_modificar_Click()
{
    if (auto* e = list_editor("usuarios"))
        e->b_modificar_Click();
}
void main_window::usr_eliminar_Click()
{
    if (auto* e = list_editor("usuarios"))
        e->b_eliminar_Click();
}
void main_window::usr_permisos_Click()
{
    if (auto* e = list_editor("usuarios"))
        e->b_permiso_Click();
}
void main_window::dpo_incluir_Click()
{
    if (auto* e = list_editor("movdpo"))
        e->b_incluir_Click();
}
void main_window::dpo_modificar_Click()
{
    if (auto* e = list_editor("movdpo"))
        e->b_modificar_Click();
}
void main_window::dpo_eliminar_Click()
{
    if (auto* e = list_editor("movdpo"))
        e->b_eliminar_Click();
}
