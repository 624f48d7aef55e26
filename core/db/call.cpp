#include "call.h"

namespace db {

QVariant Reply::value(const QString& name) const
{
    if (!ok)
        return {};
    for (const auto& p : params)
        if (p.dir != adParamInput && p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
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

Reply Proc::exec() { return run(false); }
Reply Proc::once() { return run(true); }

Reply Proc::run(bool once)
{
    cmd_.command_text = procedure_;
    for (const auto& p : params_)
        cmd_.append(p.name, p.type, p.dir, p.size, p.value);
    Reply r;
    r.ok = once ? sp_once(ctx_, cmd_, r.rows, false, &r.params) : sp_exec(ctx_, cmd_, r.rows, false, &r.params);
    return r;
}

Reply run_prepared(const RuleCtx& ctx, Command& cmd, bool once)
{
    Reply r;
    r.ok = once ? sp_once(ctx, cmd, r.rows, true, &r.params) : sp_exec(ctx, cmd, r.rows, true, &r.params);
    return r;
}

} // namespace db
