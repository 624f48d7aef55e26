#include "central.h"

#include <QMap>
#include <cmath>

namespace central {

namespace {

// The filters most report procedures share: first and last day, outlet and caja (blank:
// every caja). Fixed-length texts arrive blank-padded and are compared trimmed.
struct Range {
    QDate from, to;
    QString cod_ven, caja;

    bool has_day(const QDate& d) const { return d.isValid() && d >= from && d <= to; }
    bool has_caja(const QString& c) const { return caja.isEmpty() || c.trimmed() == caja; }
};

QDate day_of(const QVariant& v)
{
    return v.metaType().id() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString().trimmed(), Qt::ISODate);
}

Range range_of(const Request& r)
{
    return {day_of(r.arg(0)), day_of(r.arg(1)), r.text(2).trimmed(), r.text(3).trimmed()};
}

QVariant units(qint64 n) { return QVariant::fromValue<qint64>(n); }

qint64 percent(qint64 amount, double pct) { return std::llround(double(amount) * pct / 100.0); }

// The outlet's tickets, each carrying its own outlet code or the model's.
bool of_outlet(const Model& m, const Ticket& t, const QString& cod_ven)
{
    const QString own = t.cod_ven.trimmed();
    return (own.isEmpty() ? m.outlet.cod_ven : own) == cod_ven;
}

// Sold tickets of the range, by their sale day and caja.
template <class F> void for_sold(const Model& m, const Range& g, F&& f)
{
    for (const Ticket& t : m.tickets)
        if (t.state == Ticket::sold && of_outlet(m, t, g.cod_ven) && g.has_day(t.fecha) && g.has_caja(t.caja))
            f(t);
}

// An amount per day and caja, in day and caja order.
using DayCaja = QMap<QPair<QDate, QString>, qint64>;

void day_caja_rows(Request& r, const QString& column, const DayCaja& sums)
{
    auto& rs = r.rows({"fecmov", "iduser", column});
    for (auto it = sums.begin(); it != sums.end(); ++it)
        rs.rows << QVariantList{it.key().first, it.key().second, units(it.value())};
}

// The lottery amounts of a ticket's plays (deleted plays left out), by lottery code.
QMap<QString, qint64> played(const Ticket& t)
{
    QMap<QString, qint64> by_lot;
    for (const Play& p : t.plays)
        if (!p.deleted)
            by_lot[p.codlot] += p.amount();
    return by_lot;
}

// A ticket's prize shared among its lotteries in proportion to what was played on each;
// the rounding remainder goes to the last of them.
QMap<QString, qint64> prize_shares(const Ticket& t)
{
    QMap<QString, qint64> shares;
    const QMap<QString, qint64> by_lot = played(t);
    qint64 total = 0;
    for (qint64 v : by_lot)
        total += v;
    if (t.premio == 0 || total == 0)
        return shares;
    qint64 left = t.premio;
    for (auto it = by_lot.begin(); it != by_lot.end(); ++it) {
        const qint64 share = std::next(it) == by_lot.end() ? left : qint64(double(t.premio) * it.value() / total);
        shares[it.key()] = share;
        left -= share;
    }
    return shares;
}

// Sales and prizes of one group of the bank results.
struct Group {
    qint64 sales = 0, prizes = 0;
};

void bank_rows(Request& r, const QList<QPair<QString, Group>>& groups, double commission)
{
    auto& rs = r.rows({"xcontrol", "xloteria", "xmonto", "xcomision", "xpremio"});
    // A group is its label row, then its amounts row, as the bank sees them.
    for (const auto& [label, g] : groups) {
        rs.rows << QVariantList{0, label.leftJustified(15, u' ', true), units(0), units(0), units(0)};
        rs.rows << QVariantList{1, QString(), units(-g.sales), units(-percent(g.sales, commission)), units(-g.prizes)};
    }
}

// The outlet's daily account: what each day of sales, prizes paid and deposits leaves owing
// to the bank, carried from day to day.
struct Day {
    qint64 sales = 0, paid = 0, deposits = 0;
};

QMap<QDate, Day> account_days(const Model& m, const QString& cod_ven)
{
    QMap<QDate, Day> days;
    if (cod_ven != m.outlet.cod_ven)
        return days;
    for (const Ticket& t : m.tickets) {
        if (t.state != Ticket::sold || !of_outlet(m, t, cod_ven))
            continue;
        days[t.fecha].sales += t.total;
        if (t.paid && t.paid_at.isValid())
            days[t.paid_at.date()].paid += t.premio;
    }
    for (const Deposit& d : m.outlet.deposits)
        days[d.fecha].deposits += d.monto;
    return days;
}

// The demo's history: a week of sales of both cajas up to the working day, some tickets
// annulled, some winning, most prizes paid. Its serials are apart from the ones the sale
// hands out; the history's end numbers the tickets.
void seed_history(Model& m)
{
    if (m.lotteries.isEmpty()) {
        const char* names[][2] = {{"L01", "ZULIA 12PM"}, {"L02", "CARACAS 4PM"}, {"L03", "TACHIRA 7PM"}};
        int hour = 12;
        for (const auto& n : names) {
            Lottery l;
            l.codint = l.codlot = QString::fromLatin1(n[0]);
            l.nomlot = QString::fromLatin1(n[1]);
            l.draw = QTime(hour, 0);
            hour += 3;
            m.lotteries << l;
        }
    }
    // The municipal tax of the outlet, so that its report is on the menu.
    if (m.outlet.values.value("PORIMP_VEN", "0") == "0")
        m.outlet.values["PORIMP_VEN"] = "1";
    const double tax = m.outlet.values.value("PORIMP_VEN").toDouble();
    const qint64 unit = 100000000;
    const QDate today = m.started.date();
    int k = 0;
    for (int day = 7; day >= 0; --day) {
        const QDate fecha = today.addDays(-day);
        for (const char* caja_code : {"00", "01"}) {
            const QString caja = QString::fromLatin1(caja_code);
            const int count = 3 + (day + caja.toInt()) % 3;
            for (int i = 0; i < count; ++i, ++k) {
                Ticket t;
                t.serial = 90000001 + k;
                t.cod_ven = m.outlet.cod_ven;
                t.caja = caja;
                t.fecha = fecha;
                t.hora = QTime(8, 0).addSecs(2437 * (i + 1) + 97 * day).toString("hh:mm:ss");
                for (int j = 0; j <= k % 2; ++j) {
                    const Lottery& l = m.lotteries[(k + j) % m.lotteries.size()];
                    const qint64 monto = (1 + (k * 7 + j * 3) % 20) * unit;
                    t.plays << Play{j, l.codlot, "N", QString::asprintf("%03d", (k * 37 + j * 11) % 1000), monto, false};
                    t.total += monto;
                }
                t.tax = percent(t.total, tax);
                t.state = k % 9 == 4 ? Ticket::annulled : Ticket::sold;
                if (t.state == Ticket::sold && k % 11 == 5) {
                    t.premio = 8 * t.plays.first().monto;
                    t.paid = day > 2 || k % 2 == 0;
                    if (t.paid) {
                        t.paid_at = QDateTime(day > 1 && k % 3 == 0 ? fecha.addDays(1) : fecha,
                                              QTime(19, 30).addSecs(61 * i));
                        t.paid_caja = caja;
                    }
                }
                m.tickets << t;
            }
        }
    }
}

} // namespace

// The procedures of the reports, answered from the ticket store, the lottery catalogue and
// the deposits.
void install_reports(Server& server)
{
    Model& model = server.model;
    seed_history(model);

    // getcaj: p1 outlet -> rows iduser: the cajas of the outlet's users, in caja order.
    server.register_procedure("getcaj", [&model](Request& r) {
        QStringList cajas;
        if (r.text(0).trimmed() == model.outlet.cod_ven)
            for (const User& u : model.outlet.users)
                if (!cajas.contains(u.caja))
                    cajas << u.caja;
        cajas.sort();
        auto& rs = r.rows({"iduser"});
        for (const QString& c : cajas)
            rs.rows << QVariantList{c};
        return true;
    });

    // repvtq: p1 first day, p2 last day, p3 outlet, p4 caja -> the sales by day and caja.
    server.register_procedure("repvtq", [&model](Request& r) {
        DayCaja sums;
        for_sold(model, range_of(r), [&](const Ticket& t) { sums[{t.fecha, t.caja}] += t.total; });
        day_caja_rows(r, "total", sums);
        return true;
    });

    // repitx: as repvtq -> the municipal tax by day and caja.
    server.register_procedure("repitx", [&model](Request& r) {
        DayCaja sums;
        for_sold(model, range_of(r), [&](const Ticket& t) { sums[{t.fecha, t.caja}] += t.tax; });
        day_caja_rows(r, "impuesto", sums);
        return true;
    });

    // reptan: as repvtq -> the annulled tickets.
    server.register_procedure("reptan", [&model](Request& r) {
        const Range g = range_of(r);
        auto& rs = r.rows({"numtik", "iduser", "hormov", "total"});
        for (const Ticket& t : model.tickets)
            if (t.state == Ticket::annulled && of_outlet(model, t, g.cod_ven) && g.has_day(t.fecha) && g.has_caja(t.caja))
                rs.rows << QVariantList{QString::number(t.numtik), t.caja, t.hora, units(t.total)};
        return true;
    });

    // reptaq: as repvtq, p5 a kind (5) -> the prizes the caja paid in the range.
    server.register_procedure("reptaq", [&model](Request& r) {
        const Range g = range_of(r);
        auto& rs = r.rows({"numtik", "iduser", "paghor", "premio"});
        for (const Ticket& t : model.tickets)
            if (t.paid && of_outlet(model, t, g.cod_ven) && g.has_day(t.paid_at.date()) && g.has_caja(t.paid_caja))
                rs.rows << QVariantList{QString::number(t.numtik), t.paid_caja,
                                        t.paid_at.time().toString("hh:mm:ss"), units(t.premio)};
        return true;
    });

    // reprtq: as repvtq, p5 2 every prize, 1 paid ones, anything else unpaid ones -> the
    // winning tickets sold in the range.
    server.register_procedure("reprtq", [&model](Request& r) {
        const qint64 status = r.arg(4).toLongLong();
        auto& rs = r.rows({"numtik", "iduser", "total", "premio", "pagado"});
        for_sold(model, range_of(r), [&](const Ticket& t) {
            if (t.premio > 0 && (status == 2 || (status == 1) == t.paid))
                rs.rows << QVariantList{QString::number(t.numtik), t.caja, units(t.total), units(t.premio), t.paid ? 1 : 0};
        });
        return true;
    });

    // dspsrx: x1 outlet -> rows nomlot: the lotteries the outlet sells.
    server.register_procedure("dspsrx", [&model](Request& r) {
        auto& rs = r.rows({"nomlot"});
        if (r.text(0).trimmed() == model.outlet.cod_ven)
            for (const Lottery& l : model.lotteries)
                if (!model.outlet.lots_off.contains(l.codlot))
                    rs.rows << QVariantList{l.nomlot};
        return true;
    });

    // reprbx: p1 first day, p2 last day, p3 outlet, p4 a lottery name (empty: all), p5 0 by
    // day, 1 by lottery -> a label row and an amounts row per group: sales, commission and
    // prizes of the tickets sold, negated as the bank books them.
    server.register_procedure("reprbx", [&model](Request& r) {
        Range g = range_of(r);
        g.caja.clear();
        const QString lottery = r.text(3).trimmed();
        const bool by_lottery = r.arg(4).toLongLong() == 1;
        QMap<QDate, Group> by_day;
        QMap<QString, Group> by_lot;
        for_sold(model, g, [&](const Ticket& t) {
            const QMap<QString, qint64> shares = prize_shares(t);
            const QMap<QString, qint64> amounts = played(t);
            for (auto it = amounts.begin(); it != amounts.end(); ++it) {
                const Lottery* l = model.lottery(it.key());
                if (!lottery.isEmpty() && (!l || l->nomlot.trimmed().compare(lottery, Qt::CaseInsensitive) != 0))
                    continue;
                Group& d = by_lottery ? by_lot[it.key()] : by_day[t.fecha];
                d.sales += it.value();
                d.prizes += shares.value(it.key());
            }
        });
        QList<QPair<QString, Group>> groups;
        if (by_lottery) {
            for (const Lottery& l : model.lotteries)
                if (by_lot.contains(l.codlot))
                    groups.append({l.nomlot, by_lot.value(l.codlot)});
        } else {
            for (auto it = by_day.begin(); it != by_day.end(); ++it)
                groups.append({it.key().toString("dd-MM-yyyy"), it.value()});
        }
        bank_rows(r, groups, model.outlet.commission);
        return true;
    });

    // replut: p1 first day, p2 last day (dates), p3 outlet -> one row per day of activity in
    // the range: the debt carried in, the day's sales less the commission, the prizes paid
    // and the deposits (both negative), and the balance left.
    server.register_procedure("replut", [&model](Request& r) {
        const QDate from = day_of(r.arg(0)), to = day_of(r.arg(1));
        const QString cod_ven = r.text(2).trimmed();
        auto& rs = r.rows({"codven", "nomven", "fecmov", "deuda", "cuenta", "movimiento", "deposito", "total"});
        qint64 balance = 0;
        const QMap<QDate, Day> days = account_days(model, cod_ven);
        for (auto it = days.begin(); it != days.end(); ++it) {
            const qint64 cuenta = it->sales - percent(it->sales, model.outlet.commission);
            const qint64 deuda = balance;
            balance += cuenta - it->paid - it->deposits;
            if (it.key() >= from && it.key() <= to)
                rs.rows << QVariantList{cod_ven,         model.outlet.values.value("NOMBRE_VEN"), it.key(),
                                        units(deuda),    units(cuenta),
                                        units(-it->paid), units(-it->deposits), units(balance)};
        }
        return true;
    });
}

} // namespace central
