#include "command.h"

namespace db {

Parameter& Command::append(const QString& name, int type, int dir, int size, const QVariant& value)
{
    params_.append(Parameter{name, type, dir, size, value});
    return params_.last();
}

Parameter* Command::param(const QString& name)
{
    for (auto& p : params_)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

QVariant Command::value(const QString& name) const
{
    for (const auto& p : params_)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
    return {};
}

void Command::set_value(const QString& name, const QVariant& value)
{
    if (auto* p = param(name))
        p->value = value;
}

void Command::remove(const QString& name)
{
    for (qsizetype i = 0; i < params_.size(); ++i)
        if (params_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            params_.removeAt(i);
            return;
        }
}

QStringList Command::param_names() const
{
    QStringList names;
    for (const auto& p : params_)
        names << p.name;
    return names;
}

static bool is_text(int type) { return type == adChar || type == adVarChar; }

ExecResult Command::execute(Recordset& rs, QString* error)
{
    rs = Recordset();
    // A text longer than its declared size is the caller's fault: refuse it, never cut it.
    for (const auto& p : params_) {
        if ((p.dir == adParamInput || p.dir == adParamInputOutput) && is_text(p.type) && !p.value.isNull()
            && p.value.toString().size() > p.size) {
            if (error)
                *error = QStringLiteral("parameter %1 of %2: value longer than %3 characters")
                             .arg(p.name, command_text)
                             .arg(p.size);
            return ExecResult::caller_error;
        }
    }
    if (!active_connection || !active_connection->session()) {
        if (error)
            *error = QStringLiteral("connection closed");
        return ExecResult::failed;
    }
    QList<Parameter> sent = params_;
    QList<ResultSet> sets;
    if (!active_connection->session()->call(command_text, sent, sets, error)) {
        if (active_connection->session()->broken())
            active_connection->drop();
        return ExecResult::failed;
    }
    for (qsizetype i = 0; i < params_.size() && i < sent.size(); ++i)
        if (params_[i].dir != adParamInput)
            params_[i].value = sent[i].value;
    if (!sets.isEmpty())
        rs = Recordset(sets.first());
    return ExecResult::ok;
}

} // namespace db
