#include "rule.h"
#include "core/shared/justify.h"

#include <QRegularExpression>
#include <cstdlib>

void cox_config(App& app)
{
    auto& c = app.cox_bd;
    const auto& d = app.dat_cox;
    c.connection_timeout = 10;
    c.command_timeout = 0;
    c.provider = QStringLiteral("sqloledb");
    c.set_property("Data Source", d.srv_ip + "," + d.srv_port);
    c.set_property("User ID", d.bd_usr);
    c.set_property("Password", d.bd_clv);
    c.set_property("Initial Catalog", d.srv_databs);
    if (!d.cod_guid.isEmpty())
        c.set_property("Workstation ID", d.cod_guid);
    if (!app.ver_comp.isEmpty())
        c.set_property("Application Name", app.ver_comp);
}

bool cox_reconnect(App& app)
{
    if (app.cox_bd.state() != db::adStateClosed)
        app.cox_bd.close();
    cox_config(app);
    return app.cox_bd.open();
}

void cox_lost(App& app)
{
    if (app.cox_bd.state() != db::adStateClosed)
        app.cox_bd.close();
    app.flg_nocox = 1;
    app.dlg.set_pointer(plat::ptr_default);
    if (app.main_caption)
        app.main_caption();
    app.msg(QStringLiteral("No hay conexión con el servidor.") + QString(10, ' '), plat::mb_critical);
}

namespace {

void finish(db::Command& cmd, const QStringList& appended, bool keep_params)
{
    if (!keep_params)
        for (const auto& name : appended)
            cmd.remove(name);
}

bool read_allowed(App& app, db::Recordset& rs)
{
    if (app.flg_nocox != 0) {
        rs = db::Recordset();
        return false;
    }
    return true;
}

} // namespace

bool sp_exec(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params)
{
    const QStringList appended = cmd.param_names();
    app.dlg.set_pointer(plat::ptr_hourglass);
    cmd.command_timeout = 0;
    cmd.command_type = db::adCmdStoredProc;
    cmd.active_connection = &app.cox_bd;
    QString error;
    db::ExecResult r = cmd.execute(rs, &error);
    bool ok = r == db::ExecResult::ok;
    if (r == db::ExecResult::caller_error) {
        // A wrong call is not a lost connection: nothing is retried and nothing is read.
        qWarning("%s", qPrintable(error));
        rs = db::Recordset();
        finish(cmd, appended, keep_params);
        app.dlg.set_pointer(plat::ptr_default);
        return false;
    }
    if (!ok) {
        const bool reopened = cox_reconnect(app);
        if (app.flg_nocox == 0) {
            cmd.active_connection = &app.cox_bd;
            ok = reopened && cmd.execute(rs, &error) == db::ExecResult::ok;
            if (!ok) {
                rs = db::Recordset();
                // The parameters go before the message: a timer tick that runs while the
                // message is open may call through the same command.
                finish(cmd, appended, keep_params);
                cox_lost(app);
                app.dlg.set_pointer(plat::ptr_default);
                return false;
            }
        } else {
            // The connection was given up earlier: no retry, no message, nothing read.
            rs = db::Recordset();
        }
    }
    ok = ok && read_allowed(app, rs);
    finish(cmd, appended, keep_params);
    app.dlg.set_pointer(plat::ptr_default);
    return ok;
}

bool sp_once(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params)
{
    const QStringList appended = cmd.param_names();
    cmd.command_timeout = 0;
    cmd.command_type = db::adCmdStoredProc;
    cmd.active_connection = &app.cox_bd;
    QString error;
    const db::ExecResult r = cmd.execute(rs, &error);
    if (r == db::ExecResult::caller_error)
        qWarning("%s", qPrintable(error));
    const bool ok = r == db::ExecResult::ok;
    if (!ok)
        rs = db::Recordset();
    finish(cmd, appended, keep_params);
    return ok;
}

QString hdd_serial(plat::System& sys)
{
    bool ok = false;
    quint32 serial = sys.volume_serial(&ok);
    if (!ok)
        serial = 0;
    // Read as a signed 32-bit number; the absolute value is taken in 64 bits so that
    // -2147483648 gives a full identity too.
    const qint64 value = std::llabs(qint64(qint32(serial)));
    QString text = QString::number(value);
    return pad_left(text, 10, QStringLiteral("0"));
}

QString new_guid(plat::System& sys)
{
    QString g = sys.new_guid();
    g.remove(QRegularExpression(QStringLiteral("[{}\\-]")));
    return g.left(24).toLower();
}
