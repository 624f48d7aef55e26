#include "model.h"

#include <algorithm>

namespace central {

namespace {

QDateTime sold_at(const Ticket& t) { return QDateTime(t.fecha, QTime::fromString(t.hora, u"hh:mm:ss")); }

// When the last draw of a ticket's plays is made: its prize is known from then on.
QDateTime drawn_at(const Model& m, const Ticket& t)
{
    QTime last(0, 0);
    for (const Play& p : t.plays)
        if (const Lottery* l = m.lottery(p.codlot); l && !p.deleted && l->draw > last)
            last = l->draw;
    return QDateTime(t.fecha, last);
}

} // namespace

void Model::end_history(const QDateTime& at)
{
    tickets.removeIf([&](const Ticket& t) { return sold_at(t) > at; });
    for (Ticket& t : tickets) {
        const bool drawn = drawn_at(*this, t) <= at;
        if (!drawn) {
            t.processed = false;
            t.premio = 0;
        }
        if (t.paid && (!drawn || t.paid_at > at)) {
            t.paid = false;
            t.paid_at = {};
            t.paid_caja.clear();
        }
    }
    for (Winner& w : winners)
        if (const Lottery* l = lottery(w.codlot); l && !l->draw.isNull() && QDateTime(w.fecha, l->draw) > at) {
            w.numpre.clear();
            w.status = 0;
        }
    std::stable_sort(tickets.begin(), tickets.end(),
                     [](const Ticket& a, const Ticket& b) { return sold_at(a) < sold_at(b); });
    next_numtik = 1;
    for (Ticket& t : tickets)
        t.numtik = next_numtik++;
}

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
