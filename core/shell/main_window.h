#pragma once
// The main window: the program's frame, its menus, its 60-second timer and its caption.
#include "core/app/app.h"
#include "list_editor.h"

#include <QMainWindow>

class QMdiArea;
class QMenu;
class QTimer;

class main_window : public QMainWindow {
    Q_OBJECT
public:
    explicit main_window(App& app, QWidget* parent = nullptr);
    ~main_window() override;

    // Start-up: values, local settings, terminal identity, version and the loader's marker.
    // Shows nothing and makes no server call.
    void Form_Load();
    // First activation (only while cod_caj is ""): hidden, cod_caj "**", the login window
    // modally, then shown maximised. Later calls do nothing.
    void Form_Activate();
    // Stops the timer and closes the connection when it is open.
    void Form_Unload();
    // Caption, background colour and timer after a login, a tick or a lost connection.
    void main_caption();

    // Shows a window by name as an MDI child, modeless: loaded on first reference, made the
    // active child when it is already open. Null when no such window is registered.
    QWidget* show_child(const QString& name);

    // The first show makes the menu bar.
    void setVisible(bool visible) override;

    QMdiArea* mdi_area() const { return mdi_; }
    QTimer* timers = nullptr;
    QMenu* menuusr = nullptr;
    QMenu* menudpo = nullptr;

    // Menu items.
    void mov_tik_Click();
    void mov_prm_Click();
    void mov_dpo_Click();
    void pro_anu_Click();
    void pro_pag_Click();
    void rep_vtq_Click();
    void rep_rtq_Click();
    void rep_rba_Click();
    void rep_caj_Click();
    void rep_lup_Click();
    void rep_itx_Click();
    void conex_Click();
    void par_sys_Click();
    void par_prn_Click();
    void sorteo_Click();
    void userx_Click();
    void con_men_Click();
    void salir2_Click();
    void usr_incluir_Click();
    void usr_modificar_Click();
    void usr_eliminar_Click();
    void usr_permisos_Click();
    void dpo_incluir_Click();
    void dpo_modificar_Click();
    void dpo_eliminar_Click();

signals:
    // The window was closed: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    App& app_;
    QMdiArea* mdi_ = nullptr;
    QStringList registered_;
    QList<QMenu*> bar_menus_;  // the menus of the menu bar until it is made

    void build_menus();
    QAction* add_item(QMenu* menu, const char* name, const QString& caption,
                      void (main_window::*handler)(), const QKeySequence& key = QKeySequence());
    void keep(const QString& name, QAction* action);
    void show_modal_named(const QString& name);
    ListEditor* list_editor(const QString& name);
};
