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
