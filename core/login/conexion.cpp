#include "conexion.h"
#include "core/app/keyfilter.h"
#include "core/app/rule.h"
#include "core/app/typed_combo.h"
#include "core/login/cfg_reg.h"
#include "core/login/deploy.h"
#include "core/login/discovery.h"
#include "core/login/login_values.h"
#include "core/login/procs.h"
#include "core/app/permissions.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyleFactory>
#include <QTimer>

namespace {

QString blanks(int n) { return QString(n, ' '); }

constexpr int kDtbsLength = 15;  // the size of the database code getcox takes

// A password field's style: the one the field had, but an asterisk stands for each typed
// character. (A style sheet would do the same at a higher price, paid before the login
// window is first shown.)
class AsteriskStyle : public QProxyStyle {
public:
    explicit AsteriskStyle(QWidget* field) : QProxyStyle(QStyleFactory::create(field->style()->name()))
    {
        setParent(field);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        return hint == SH_LineEdit_PasswordCharacter ? '*' : QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

conexion::conexion(App& app, QWidget* parent) : QDialog(parent), app_(app)
{
    setObjectName("conexion");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(tw(5415), tw(2085));

    QFont bold(QStringLiteral("Tahoma"));
    bold.setStyleHint(QFont::SansSerif);
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    auto label = [&](const char* name, const QString& text, int top) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setFont(bold);
        l->setGeometry(tw_rect(100, top, 1100, 255));
        return l;
    };
    lb_user = label("lb_user", QStringLiteral("Usuario:"), 350);
    lb_clav = label("lb_clav", QStringLiteral("Clave:"), 950);
    lb_dtbs = label("lb_dtbs", QStringLiteral("Datos:"), 1550);

    tx_user = new QLineEdit(this);
    tx_user->setObjectName("tx_user");
    tx_user->setGeometry(tw_rect(1300, 300, 2500, 315));
    tx_user->setMaxLength(10);

    tx_clav = new QLineEdit(this);
    tx_clav->setObjectName("tx_clav");
    tx_clav->setGeometry(tw_rect(1300, 900, 2500, 315));
    tx_clav->setMaxLength(10);
    tx_clav->setEchoMode(QLineEdit::Password);
    tx_clav->setStyle(new AsteriskStyle(tx_clav));

    tx_dtbs = new QComboBox(this);
    tx_dtbs->setObjectName("tx_dtbs");
    tx_dtbs->setGeometry(tw_rect(1300, 1500, 2500, 315));
    make_typed_combo(tx_dtbs);
    tx_dtbs->lineEdit()->setMaxLength(kDtbsLength);

    auto button = [&](const char* name, const QString& text, int top) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(tw_rect(4000, top, 1200, 380));
        return b;
    };
    b_conectar = button("b_conectar", QStringLiteral("Conectar"), 300);
    b_cancelar = button("b_cancelar", QStringLiteral("Salir"), 850);
    b_actua = button("b_actua", QStringLiteral("Actualizar"), 1450);
    b_conectar->setDefault(true);

    setTabOrder(tx_user, tx_clav);
    setTabOrder(tx_clav, tx_dtbs);
    setTabOrder(tx_dtbs, b_conectar);
    setTabOrder(b_conectar, b_cancelar);
    setTabOrder(b_cancelar, b_actua);

    install_key_filter(tx_user, &conexion::tx_user_KeyPress);
    install_key_filter(tx_clav, &conexion::tx_clav_KeyPress);
    install_key_filter(tx_dtbs, &conexion::tx_dtbs_KeyPress);
    for (QWidget* w : {static_cast<QWidget*>(tx_user), static_cast<QWidget*>(tx_clav), static_cast<QWidget*>(tx_dtbs)})
        w->installEventFilter(this);

    connect(b_conectar, &QPushButton::clicked, this, &conexion::b_conectar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &conexion::b_cancelar_Click);
    connect(b_actua, &QPushButton::clicked, this, &conexion::b_actua_Click);

    Form_Load();
}

QPoint conexion::place_for(int screen_twips)
{
    return screen_twips <= 9600 ? QPoint(tw(2200), tw(1400)) : QPoint(tw(3300), tw(2200));
}

void conexion::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));
    setWindowTitle("Tovaren v" + app_.ver_num + app_.ver_sub + " - Conexión");

    const CfgReg& cfg = app_.cfg_reg;
    tx_user->setText(trim_blanks(cfg.cox_user));
    tx_clav->clear();
    tx_dtbs->clear();
    for (const QString& recent : {cfg.cox_dtb1, cfg.cox_dtb2, cfg.cox_dtb3}) {
        const QString code = trim_blanks(recent);
        if (!code.isEmpty())
            tx_dtbs->addItem(code.left(kDtbsLength));
    }
    tx_dtbs->setEditText(trim_blanks(cfg.cox_dtbs));
}

void conexion::Form_Activate()
{
    if (!tx_user->text().isEmpty())
        tx_clav->setFocus();
    else
        tx_user->setFocus();
}

bool conexion::Form_Unload()
{
    app_.dlg.set_pointer(plat::ptr_default);
    if (app_.ses_val.cod_caj != "**")
        return false;
    // Nobody is logged in: the program ends here.
    app_.reg.sync();
    app_.sys.end_program(0);
    return true;
}

void conexion::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        unloaded_ = false;
        Form_Activate();
    }
}

void conexion::done(int r)
{
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    QDialog::done(r);
}

void conexion::closeEvent(QCloseEvent* e)
{
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    QDialog::closeEvent(e);
}

bool conexion::eventFilter(QObject* watched, QEvent* e)
{
    QLineEdit* edit = watched == tx_dtbs ? tx_dtbs->lineEdit() : qobject_cast<QLineEdit*>(watched);
    if (edit && e->type() == QEvent::FocusIn) {
        // Deferred, or the click that gave the focus would clear the selection.
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    } else if (edit && e->type() == QEvent::FocusOut) {
        const QString text = edit->text().toUpper().remove(' ');
        if (text != edit->text())
            edit->setText(text);
    }
    return QDialog::eventFilter(watched, e);
}

int conexion::tx_user_KeyPress(int KeyAscii)
{
    return QChar(char16_t(KeyAscii)).toUpper().unicode();
}

int conexion::tx_clav_KeyPress(int KeyAscii)
{
    return QChar(char16_t(KeyAscii)).toUpper().unicode();
}

int conexion::tx_dtbs_KeyPress(int KeyAscii)
{
    if (KeyAscii == 8 || KeyAscii == '$' || (KeyAscii >= '0' && KeyAscii <= '9') || (KeyAscii >= 'A' && KeyAscii <= 'Z'))
        return KeyAscii;
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        return KeyAscii - 'a' + 'A';
    return 0;
}

void conexion::b_cancelar_Click()
{
    close();
}

void conexion::b_actua_Click()
{
    if (app_.msg("¿Desea actualizar el programa?" + blanks(15), plat::mb_question | plat::mb_okcancel, app_.nom_prg)
        != plat::ans_ok)
        return;
    marker_write(app_, QStringLiteral("0.0.0.0"));
    app_.reg.sync();
    if (!app_.has_factory("update"))
        return;
    QWidget* w = app_.window("update");
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->exec();
        Form_Activate();
    } else if (w) {
        w->setWindowModality(Qt::ApplicationModal);
        w->show();
    }
}

// ---- "Conectar" ----

void conexion::b_conectar_Click()
{
    if (!conectar_servidor())
        return;
    if (!datos_conexion())
        return;
    login_cajero();
}

void conexion::connection_lost()
{
    app_.flg_nocox = 1;
    app_.dlg.set_pointer(plat::ptr_default);
    cox_lost(app_);
}

void conexion::fatal_end(const QString& frame)
{
    hide();
    app_.dlg.set_pointer(plat::ptr_default);
    app_.msg(frame, plat::mb_exclamation);
    app_.reg.sync();
    app_.sys.end_program(0);
}

// One connection try with the fixed database login.
bool conexion::try_server(const QString& host, const QString& port)
{
    DatCox& d = app_.dat_cox;
    d.srv_ip = host;
    d.srv_port = port;
    db::Connection& c = app_.cox_bd;
    c.connection_timeout = 10;
    c.command_timeout = 0;
    c.provider = QStringLiteral("sqloledb");
    c.set_property("Data Source", host + "," + port);
    c.set_property("User ID", d.bd_usr);
    c.set_property("Password", d.bd_clv);
    // No database yet: getcox names it.
    c.set_property("Initial Catalog", QString());
    if (!d.cod_guid.isEmpty())
        c.set_property("Workstation ID", d.cod_guid);
    if (!app_.ver_comp.isEmpty())
        c.set_property("Application Name", app_.ver_comp);
    return c.open() && c.state() == db::adStateOpen;
}

// Checks the fields and opens cox_bd on the first server that answers: the saved one, the
// two the discovery service names, the two fixed proxies.
bool conexion::conectar_servidor()
{
    app_.ses_val.cod_caj = "**";
    for (const QString& name : app_.loaded())
        if (name != "main" && name != "conexion")
            app_.unload(name);

    const QString user = trim_blanks(tx_user->text());
    const QString clav = trim_blanks(tx_clav->text());
    const QString dtbs = trim_blanks(tx_dtbs->currentText());
    if (user.isEmpty() || clav.isEmpty() || dtbs.isEmpty()) {
        app_.msg("Datos de conexión no son válidos." + blanks(10), plat::mb_exclamation);
        if (user.isEmpty())
            tx_user->setFocus();
        if (clav.isEmpty())
            tx_clav->setFocus();
        if (dtbs.isEmpty())
            tx_dtbs->setFocus();
        return false;
    }

    app_.dlg.set_pointer(plat::ptr_hourglass);
    DatCox& d = app_.dat_cox;
    d.bd_usr = QString::fromLatin1(deploy::db_user);
    d.bd_clv = QString::fromLatin1(deploy::db_password);
    d.cod_dtbs = dtbs;
    d.cod_guid = new_guid(app_.sys);
    if (app_.cox_bd.state() != db::adStateClosed)
        app_.cox_bd.close();

    bool connected = false;
    const CfgReg& cfg = app_.cfg_reg;
    if (ip_valid(cfg.cox_serv) && port_valid(cfg.cox_port))
        connected = try_server(cfg.cox_serv, cfg.cox_port);
    if (!connected) {
        const QString reply = discovery_reply(app_.http);
        if (!reply.isEmpty()) {
            for (const ProxyEntry& p : {proxy_entry(reply, "proxy0="), proxy_entry(reply, "proxy1=")})
                if (!connected && ip_valid(p.host) && port_valid(p.port))
                    connected = try_server(p.host, p.port);
        }
    }
    for (const char* host : deploy::proxy_hosts)
        if (!connected)
            connected = try_server(QString::fromLatin1(host), QString::fromLatin1(deploy::proxy_port));

    if (!connected) {
        connection_lost();
        return false;
    }
    return true;
}

// getcox: the outlet's server, port and database, the newest program version.
bool conexion::datos_conexion()
{
    DatCox& d = app_.dat_cox;
    const CoxAnswer cox = getcox(app_, app_.num_hdd, d.cod_dtbs);
    if (!cox.ok) {
        connection_lost();
        return false;
    }
    d.srv_databs = cox.databs;
    const int code = cox.code;
    if (code != 0 && app_.cox_bd.state() != db::adStateClosed)
        app_.cox_bd.close();
    if (code == 1) {
        hide();
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg("Datos de conexión no son válidos." + blanks(10), plat::mb_exclamation);
        app_.reg.sync();
        app_.sys.restart_program();
        return false;
    }
    if (code < 0 || (code >= 2 && code <= 4)) {
        fatal_end(getcox_frame(code));
        return false;
    }
    // An answer of 5 or more goes on: the connection is closed, so getutq fails.

    if (!cox.app_numver.isEmpty() && app_.ver_comp < cox.app_numver) {
        marker_write(app_, QStringLiteral("0.0.0.0"));
        app_.reg.sync();
    }
    d.srv_ip = cox.server_ip;
    d.srv_port = cox.server_port;
    d.ip_net = cox.ipnet;
    // The open connection stays where it is; the named server serves the next reconnect.
    // With no database named the server's default stays; a database the server will not
    // switch to fails the connection, or every later call would run in another database.
    if (!d.srv_databs.isEmpty() && app_.cox_bd.state() == db::adStateOpen
        && !app_.cox_bd.set_default_database(d.srv_databs)) {
        app_.cox_bd.close();
        connection_lost();
        return false;
    }
    for (db::Command* c : app_.commands()) {
        c->active_connection = &app_.cox_bd;
        c->command_timeout = 0;
        c->command_type = db::adCmdStoredProc;
    }
    return true;
}

// getutq: the cashier's check, then the settings, the symbol table and the login values.
void conexion::login_cajero()
{
    const UtqAnswer utq = getutq(app_, trim_blanks(tx_user->text()), trim_blanks(tx_clav->text()), app_.num_hdd,
                                 app_.ver_num + app_.ver_sub, app_.dat_cox.ip_net);
    utq_nom = utq.nombre;
    utq_val = utq.valor;
    if (!utq.ok) {
        connection_lost();
        return;
    }
    // An answer without a return status has no meaning: it ends like one.
    const int code = utq.code;
    if (code >= 0 && code <= 2) {
        save_login_settings();
        if (!load_symbols())
            return;
    }
    if (code == 0 || code == 1)
        success(code);
    else if (code >= 2 && code <= 4)
        refusal(code);
    else
        fatal_end(getutq_frame(code));
}

void conexion::save_login_settings()
{
    CfgReg& cfg = app_.cfg_reg;
    const DatCox& d = app_.dat_cox;
    cfg.cox_user = trim_blanks(tx_user->text());
    cfg.cox_serv = d.srv_ip;
    cfg.cox_port = d.srv_port;
    cfg.cox_dtbs = d.cod_dtbs;
    rotate_recent(cfg);
    // The password is never saved.
    const std::pair<const char*, const QString*> keys[] = {
        {"cox_user", &cfg.cox_user}, {"cox_serv", &cfg.cox_serv}, {"cox_port", &cfg.cox_port},
        {"cox_dtbs", &cfg.cox_dtbs}, {"cox_dtb1", &cfg.cox_dtb1}, {"cox_dtb2", &cfg.cox_dtb2},
        {"cox_dtb3", &cfg.cox_dtb3},
    };
    for (const auto& [key, value] : keys)
        cfg_save(app_, QString::fromLatin1(key), *value);
    app_.reg.sync();
}

namespace {
template <class T> void resize_keep(QList<T>& list, qsizetype n)
{
    while (list.size() < n)
        list.append(T());
    while (list.size() > n)
        list.removeLast();
}
} // namespace

// getsim: the symbol sets, one table entry per row; no rows keep the table as it was.
bool conexion::load_symbols()
{
    const SimAnswer sim = getsim(app_);
    if (!sim.ok) {
        connection_lost();
        return false;
    }
    TabSim& t = app_.tab_sim;
    for (qsizetype i = 0; i < sim.rows.size(); ++i) {
        resize_keep(t.sim_cod, i + 1);
        resize_keep(t.sim_num, i + 1);
        resize_keep(t.sim_nom, i + 1);
        const SimRow& row = sim.rows[i];
        if (!row.codsim.isNull())
            if (const auto n = to_int16(row.codsim.toString()))
                t.sim_cod[i] = *n;
        if (!row.numero.isNull())
            t.sim_num[i] = row.numero.toString();
        if (!row.nombre.isNull())
            t.sim_nom[i] = row.nombre.toString();
    }
    return true;
}

void conexion::success(int code)
{
    SesVal& ses = app_.ses_val;
    ses.tik_men1.clear();
    ses.tik_men2.clear();
    ses.tik_men3.clear();
    ses.dir_ven.clear();
    ses.rif_ven.clear();
    ses.por_imp = 0;
    per_table(app_);
    for (qsizetype k = 0; k < utq_nom.size(); ++k) {
        const QString name = trim_blanks(utq_nom[k]);
        if (name == "USERXX_MAP")
            per_row(app_, trim_blanks(utq_val[k]));
        else
            set_login_value(ses, name, utq_val[k]);
    }
    per_values(app_);
    app_.dlg.set_pointer(plat::ptr_default);
    if (code == 1)
        app_.msg("Tovaren suspendida." + blanks(10), plat::mb_exclamation);

    // Closing the window ends the program when no IDUSER_VEN row came.
    const bool nobody = ses.cod_caj == "**";
    close();
    if (nobody)
        return;
    common_end();
}

void conexion::refusal(int code)
{
    app_.dlg.set_pointer(plat::ptr_default);
    app_.ses_val.cod_caj = "**";
    const QString text = code == 2   ? QStringLiteral("Tovaren inactiva.")
                         : code == 3 ? QStringLiteral("Clave incorrecta.")
                                     : QStringLiteral("Usuario no es válido.");
    app_.msg(text + blanks(10), plat::mb_exclamation);
    tx_user->setFocus();
    tx_clav->setFocus();
    common_end();
}

void conexion::common_end()
{
    app_.cox_up();
    app_.dlg.set_pointer(plat::ptr_default);
    if (app_.main_caption)
        app_.main_caption();
}
