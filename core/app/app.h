#pragma once
#include "core/db/call.h"
#include "core/shared/permissions.h"
#include "core/shared/money.h"
#include "core/shared/state.h"
#include "core/shared/vocab.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/printers.h"
#include "platform/settings.h"
#include "platform/system.h"

#include <QAction>
#include <QHash>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

// The platform services and the server driver an App runs on.
struct Services {
    std::unique_ptr<plat::Dialogs> dialogs;
    std::unique_ptr<plat::Settings> settings;
    std::unique_ptr<plat::Printers> printers;
    std::unique_ptr<plat::Http> http;
    std::unique_ptr<plat::System> system;
    std::unique_ptr<db::Driver> driver;
};

// A ticket the sale may have left sold on the server but neither printed nor annulled: its
// commit failed and its annulment could not be sent. cod_ven: the outlet it was sold for;
// cox: the server and database it was sold on (a later login may reach another).
struct TikAnu {
    qint64 numtik = 0;
    QString cod_ven;
    QString cox;
};

// The program's module-wide state, its database objects and its platform services.
// main() owns one; every window gets it by reference; a test builds a fresh one.
class App {
public:
    explicit App(Services services);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Platform services.
    plat::Dialogs& dlg;
    plat::Settings& reg;
    plat::Printers& prn;
    plat::Http& http;
    plat::System& sys;
    db::Driver& driver;

    // State groups.
    CfgReg cfg_reg;
    SesVal ses_val;
    LimVta lim_vta;
    DatCox dat_cox;
    TabSim tab_sim;
    BufRep buf_rep;
    MenSrv men_srv;
    Vocab vocab;                // tab_zod, tab_cac, tab_ani
    TabPer tab_per;
    TabCat tab_cat;             // the lottery catalogue (dstlot)
    DlgDatos dlg_datos;         // the sale window's exchange with its dialogs

    int flg_nocox = 0;          // 1 = no connection
    // Tickets to annul as soon as the server answers again; they outlive the sale window.
    QList<TikAnu> tik_anu;
    int mod_edi = 0;            // edit mode a list window hands its edit dialog: 1 include, 2 modify
    QString num_hdd;            // terminal identity
    QString nom_prg = "TOVAREN";
    QString ver_num = "3.8.2";
    QString ver_sub = ".4";
    QString ver_comp = "3.8.2.4";
    QString txt_marca;          // caption tail when the login sends no num_rnl

    // Database objects: the one connection, the shared command and the persistent ones.
    db::Connection cox_bd;
    db::Command cmd_sp;
    db::Command cmd_stacox, cmd_getmen;
    db::Command cmd_getpaq, cmd_newtkx, cmd_statik, cmd_protkx, cmd_valtkx;
    // The eight command objects bound to cox_bd at login.
    QList<db::Command*> commands();

    // Refreshes the main window's caption; set by the main window.
    std::function<void()> main_caption;
    // Sends what waited for the server (the annulments of tik_anu); set by the sale.
    std::function<void()> cox_back;
    // The server answered (a keep-alive or a login): flg_nocox back to 0, then cox_back.
    void cox_up();

    // What the call rule works on.
    db::RuleCtx rule() { return {cox_bd, flg_nocox, dat_cox, ver_comp, dlg, main_caption}; }
    // A call of the procedure on the shared command cmd_sp.
    db::Proc proc(const QString& procedure) { return db::Proc(rule(), cmd_sp, procedure); }
    // The main window's menu items by name (mov_tik, rep_itx, ...), and its 60-second timer.
    QHash<QString, QAction*> mnu;
    QTimer* timers = nullptr;
    // The main window's MDI area, where child windows are shown.
    QMdiArea* mdi = nullptr;

    // The money settings the amount helpers read.
    MonCtx mon() const { return mon_ctx(ses_val, lim_vta); }

    // Message box with the title "Tovaren" unless another is given.
    int msg(const QString& text, int style, const QString& title = QStringLiteral("Tovaren"));

    // Windows: single named instances created on first reference.
    using Factory = std::function<QWidget*(App&)>;
    void register_window(const QString& name, Factory factory);
    bool has_factory(const QString& name) const { return factories_.count(name) != 0; }
    QStringList registered() const;
    // The loaded window of that name, created on first reference (null with no factory).
    QWidget* window(const QString& name);
    template <class W> W* win(const QString& name) { return qobject_cast<W*>(window(name)); }
    bool is_loaded(const QString& name) const;
    // Closes and deletes a loaded window.
    void unload(const QString& name);
    QStringList loaded() const;

private:
    Services services_;
    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<QWidget>> windows_;
};
