#include "call.h"

namespace db {

namespace {

// Reads what a call answered; an answer that cannot be read fails the call as a server
// error on a live session fails it.
bool read_answer(const RuleCtx& ctx, const QString& procedure, bool called, const Recordset& rows,
                 const QList<Parameter>& answered, const Reading& reading, bool once)
{
    if (!called || !reading)
        return called;
    Reader r(rows, answered);
    reading(r);
    if (r.readable())
        return true;
    refused(ctx, procedure, QStringLiteral("answer not readable: ") + r.why(), once);
    return false;
}

} // namespace

QVariant Reply::value(const QString& name) const
{
    if (!ok)
        return {};
    for (const auto& p : params)
        if (p.dir != adParamInput && p.name.compare(name, Qt::CaseInsensitive) == 0) {
            QVariant v;
            return read_as(p.type, p.value, v) ? v : QVariant();
        }
    return {};
}

qint64 Reply::status(qint64 def) const
{
    for (const auto& p : params)
        if (p.dir == adParamReturnValue) {
            const QVariant v = value(p.name);
            return v.isNull() || !v.isValid() ? def : v.toLongLong();
        }
    return def;
}

bool Reply::read(const QString& name, QString& target) const
{
    const QVariant v = value(name);
    if (v.isNull() || !v.isValid())
        return false;
    target = v.toString();
    return true;
}

Reply Proc::exec()
{
    cmd_.command_text = procedure_;
    for (const auto& p : params_)
        cmd_.append(p.name, p.type, p.dir, p.size, p.value);
    Reply r;
    r.ok = sp_exec(ctx_, cmd_, r.rows, false, &r.params);
    return r;
}

Reply Proc::once()
{
    cmd_.command_text = procedure_;
    for (const auto& p : params_)
        cmd_.append(p.name, p.type, p.dir, p.size, p.value);
    Reply r;
    r.ok = sp_once(ctx_, cmd_, r.rows, false, &r.params);
    return r;
}

Reply run_prepared(const RuleCtx& ctx, Command& cmd, bool once)
{
    Reply r;
    r.ok = once ? sp_once(ctx, cmd, r.rows, true, &r.params) : sp_exec(ctx, cmd, r.rows, true, &r.params);
    return r;
}

Proc::Proc(const RuleCtx& ctx, Command& cmd, const QString& procedure)
    : ctx_(ctx), cmd_(cmd), procedure_(procedure)
{
}

Proc& Proc::ret(const QString& name, int type)
{
    params_.append(Parameter{name, type, adParamReturnValue, 0, {}});
    return *this;
}

Proc& Proc::in(const QString& name, int type, int size, const QVariant& value)
{
    params_.append(Parameter{name, type, adParamInput, size, value});
    return *this;
}

Proc& Proc::out(const QString& name, int type, int size)
{
    params_.append(Parameter{name, type, adParamOutput, size, {}});
    return *this;
}

bool Proc::exec(const Reading& reading) { return run(false, reading); }
bool Proc::once(const Reading& reading) { return run(true, reading); }

bool Proc::run(bool once, const Reading& reading)
{
    cmd_.command_text = procedure_;
    for (const auto& p : params_)
        cmd_.append(p.name, p.type, p.dir, p.size, p.value);
    Recordset rows;
    QList<Parameter> answered;
    const bool called = once ? sp_once(ctx_, cmd_, rows, false, &answered) : sp_exec(ctx_, cmd_, rows, false, &answered);
    return read_answer(ctx_, procedure_, called, rows, answered, reading, once);
}

bool run_prepared(const RuleCtx& ctx, Command& cmd, const Reading& reading, bool once)
{
    Recordset rows;
    QList<Parameter> answered;
    const bool called = once ? sp_once(ctx, cmd, rows, true, &answered) : sp_exec(ctx, cmd, rows, true, &answered);
    return read_answer(ctx, cmd.command_text, called, rows, answered, reading, once);
}

} // namespace db
