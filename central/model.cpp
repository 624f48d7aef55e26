#include "model.h"

namespace central {

QString Model::param(const QString& key) const
{
    for (const auto& [k, v] : outlet.params)
        if (k == key)
            return v;
    return {};
}

void Model::set_param(const QString& key, const QString& value)
{
    for (auto& [k, v] : outlet.params)
        if (k == key) {
            v = value;
            return;
        }
    outlet.params.append({key, value});
}

Ticket* Model::ticket(qint64 numtik)
{
    for (auto& t : tickets)
        if (t.numtik == numtik)
            return &t;
    return nullptr;
}

const Lottery* Model::lottery(const QString& codlot) const
{
    for (const auto& l : lotteries)
        if (l.codlot == codlot)
            return &l;
    return nullptr;
}

double Model::mod_sys() const
{
    bool ok = false;
    const double m = outlet.values.value(QStringLiteral("SYSTEM_MOD")).toDouble(&ok);
    return ok && m > 0 ? m : 100000000.0;
}

QString Model::units(qint64 amount) const
{
    const double v = double(amount) / mod_sys();
    return v == qint64(v) ? QString::number(qint64(v)) : QString::number(v, 'f', 2);
}

} // namespace central
