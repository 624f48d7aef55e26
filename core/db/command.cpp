#include "command.h"
#include "values.h"

#include <cmath>
#include <limits>

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

namespace {

bool is_text(int type) { return type == adChar || type == adVarChar; }

// Whether an input value can travel as its declared type: a text within its size, a whole
// number within its type's range. A value that does not is the caller's fault.
bool fits(const Parameter& p, QString* why)
{
    if (p.dir == adParamOutput || p.dir == adParamReturnValue || p.value.isNull() || !p.value.isValid())
        return true;
    if (is_text(p.type)) {
        if (p.value.toString().size() <= p.size)
            return true;
        *why = QStringLiteral("value longer than %1 characters").arg(p.size);
        return false;
    }
    if (p.type == adDouble) {
        bool ok = false;
        if (std::isfinite(p.value.toDouble(&ok)) && ok)
            return true;
        *why = QStringLiteral("value %1 is not a number").arg(p.value.toString());
        return false;
    }
    if (p.type == adDate) {
        DateTime dt;
        if (to_datetime(p.value, dt))
            return true;
        *why = QStringLiteral("value %1 is not a date between 1753 and 9999").arg(p.value.toString());
        return false;
    }
    qint64 lo = 0, hi = 0;
    switch (p.type) {
    case adTinyInt: lo = 0; hi = 255; break;
    case adSmallInt: lo = -32768; hi = 32767; break;
    case adInteger: lo = std::numeric_limits<qint32>::min(); hi = std::numeric_limits<qint32>::max(); break;
    case adBigInt: lo = std::numeric_limits<qint64>::min(); hi = std::numeric_limits<qint64>::max(); break;
    default:
        *why = QStringLiteral("type %1 is not one a procedure takes").arg(p.type);
        return false;
    }
    // A double is rounded as the driver sends it; one beyond 64 bits, or not a number at all,
    // would otherwise turn into the smallest 64-bit number on the way.
    qint64 n = 0;
    if (to_whole(p.value, n) && n >= lo && n <= hi)
        return true;
    *why = QStringLiteral("value %1 is not a whole number of its type").arg(p.value.toString());
    return false;
}

} // namespace

ExecResult Command::execute(Recordset& rs, QString* error)
{
    rs = Recordset();
    // A value that does not fit its parameter is the caller's fault: refuse it, never cut it.
    for (const auto& p : params_) {
        QString why;
        if (!fits(p, &why)) {
            if (error)
                *error = QStringLiteral("parameter %1 of %2: %3").arg(p.name, command_text, why);
            return ExecResult::caller_error;
        }
    }
    if (!active_connection || !active_connection->session()) {
        if (error)
            *error = QStringLiteral("connection closed");
        return ExecResult::broken;
    }
    QList<Parameter> sent = params_;
    QList<ResultSet> sets;
    if (!active_connection->session()->call(command_text, sent, sets, error)) {
        if (!active_connection->session()->broken())
            return ExecResult::server_error;
        active_connection->drop();
        return ExecResult::broken;
    }
    // Answered as the server sent them: the caller's reading converts them (read.h).
    for (qsizetype i = 0; i < params_.size() && i < sent.size(); ++i)
        if (params_[i].dir != adParamInput)
            params_[i].value = sent[i].value;
    if (!sets.isEmpty())
        rs = Recordset(sets.first());
    return ExecResult::ok;
}

} // namespace db
