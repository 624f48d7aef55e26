#include "rule.h"

namespace db {

void cox_config(Connection& c, const DatCox& d, const QString& ver_comp)
{
    c.connection_timeout = 10;
    c.command_timeout = 0;
    c.provider = QStringLiteral("sqloledb");
    c.set_property("Data Source", d.srv_ip + "," + d.srv_port);
    c.set_property("User ID", d.bd_usr);
    c.set_property("Password", d.bd_clv);
    c.set_property("Initial Catalog", d.srv_databs);
    if (!d.cod_guid.isEmpty())
        c.set_property("Workstation ID", d.cod_guid);
    if (!ver_comp.isEmpty())
        c.set_property("Application Name", ver_comp);
}

bool cox_reconnect(const RuleCtx& ctx)
{
    if (ctx.cox_bd.state() != adStateClosed)
        ctx.cox_bd.close();
    cox_config(ctx.cox_bd, ctx.dat_cox, ctx.ver_comp);
    return ctx.cox_bd.open();
}

void cox_lost(const RuleCtx& ctx)
{
    if (ctx.cox_bd.state() != adStateClosed)
        ctx.cox_bd.close();
    ctx.flg_nocox = 1;
    ctx.dlg.set_pointer(plat::ptr_default);
    if (ctx.main_caption)
        ctx.main_caption();
    ctx.dlg.msg_box(QStringLiteral("No hay conexión con el servidor.") + QString(10, ' '), plat::mb_critical,
                    QStringLiteral("Tovaren"));
}

void refused(const RuleCtx& ctx, const QString& procedure, const QString& why, bool once)
{
    qWarning("%s: %s", qPrintable(procedure), qPrintable(why));
    if (!once && ctx.flg_nocox == 0)
        cox_lost(ctx);
}

namespace {

void prepare(const RuleCtx& ctx, Command& cmd)
{
    cmd.command_timeout = 0;
    cmd.command_type = adCmdStoredProc;
    cmd.active_connection = &ctx.cox_bd;
}

void finish(Command& cmd, const QStringList& appended, bool keep_params)
{
    if (!keep_params)
        for (const auto& name : appended)
            cmd.remove(name);
}

// The call could not be made or could not be answered: nothing is read, and the
// parameters go before any message, since a timer tick that runs while the message is
// open may call through the same command.
bool give_up(const RuleCtx& ctx, Command& cmd, Recordset& rs, const QStringList& appended, bool keep_params,
             bool lost)
{
    rs = Recordset();
    finish(cmd, appended, keep_params);
    if (lost)
        cox_lost(ctx);
    ctx.dlg.set_pointer(plat::ptr_default);
    return false;
}

} // namespace

bool sp_exec(const RuleCtx& ctx, Command& cmd, Recordset& rs, bool keep_params, QList<Parameter>* answered)
{
    const QStringList appended = cmd.param_names();
    ctx.dlg.set_pointer(plat::ptr_hourglass);
    prepare(ctx, cmd);
    if (ctx.flg_nocox != 0) {
        // The connection counts as lost: nobody would read what the call did, so the server
        // is not given it. A closed connection is reopened quietly, as a call that found it
        // closed always did, so that the keep-alive's probe finds it open; only the
        // keep-alive or a login clears the flag.
        if (ctx.cox_bd.state() == adStateClosed)
            cox_reconnect(ctx);
        return give_up(ctx, cmd, rs, appended, keep_params, false);
    }
    QString error;
    ExecResult r = cmd.execute(rs, &error);
    if (r == ExecResult::caller_error) {
        // A wrong call is not a lost connection: nothing is retried and nothing is read.
        qWarning("%s", qPrintable(error));
        return give_up(ctx, cmd, rs, appended, keep_params, false);
    }
    if (r == ExecResult::server_error) {
        give_up(ctx, cmd, rs, appended, keep_params, false);
        refused(ctx, cmd.command_text, error, false);
        return false;
    }
    if (r == ExecResult::broken) {
        const bool reopened = cox_reconnect(ctx);
        cmd.active_connection = &ctx.cox_bd;
        r = reopened ? cmd.execute(rs, &error) : ExecResult::broken;
        if (r != ExecResult::ok)
            return give_up(ctx, cmd, rs, appended, keep_params, true);
    }
    if (answered)
        *answered = cmd.params();
    finish(cmd, appended, keep_params);
    ctx.dlg.set_pointer(plat::ptr_default);
    return true;
}

bool sp_once(const RuleCtx& ctx, Command& cmd, Recordset& rs, bool keep_params, QList<Parameter>* answered)
{
    const QStringList appended = cmd.param_names();
    prepare(ctx, cmd);
    QString error;
    const ExecResult r = cmd.execute(rs, &error);
    if (r == ExecResult::caller_error)
        qWarning("%s: %s", qPrintable(cmd.command_text), qPrintable(error));
    else if (r == ExecResult::server_error)
        refused(ctx, cmd.command_text, error, true);
    const bool ok = r == ExecResult::ok;
    if (!ok)
        rs = Recordset();
    else if (answered)
        *answered = cmd.params();
    finish(cmd, appended, keep_params);
    return ok;
}

} // namespace db
