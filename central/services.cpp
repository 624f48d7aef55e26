#include "central.h"
#include "core/shared/vocab.h"

#include <functional>

namespace central {

namespace {

// The key the server hands out for a ticket found by its serial: its number in 8 digits.
QString key_of(const Ticket& t) { return QString::number(t.numtik).rightJustified(8, u'0'); }
QString serial_of(const Ticket& t) { return QString::number(t.serial).rightJustified(8, u'0'); }

// A ticket that reached a customer: sold, whatever became of it since.
bool issued(const Ticket& t) { return t.state == Ticket::sold || t.state == Ticket::annulled; }

// A processed ticket is paid within the outlet's days before expiry (TVENCE_TIK, 3 without it).
bool expired(const Model& m, const Ticket& t)
{
    bool ok = false;
    const int days = m.param("TVENCE_TIK").trimmed().toInt(&ok);
    return t.fecha.daysTo(m.today()) > (ok ? days : 3);
}

// dsptik's status of a ticket: 1 unknown, 3 annulled, 4 paid, 2 processed, 5 no longer to
// be annulled (still being sold, of an earlier day, or the outlet annuls none: ANUTIK_VEN
// "1"), 0 the server allows its annulment.
int annul_status(const Model& m, const Ticket* t)
{
    if (!t || t->state == Ticket::deleted)
        return 1;
    if (t->state == Ticket::annulled)
        return 3;
    if (t->paid)
        return 4;
    if (t->processed)
        return 2;
    if (t->state == Ticket::pending || t->fecha < m.today() || m.param("ANUTIK_VEN").trimmed() == "1")
        return 5;
    return 0;
}

// dsptix's status: 1 unknown, 3 annulled, 4 paid, 5 expired, 2 processed, 0 waiting for its draws.
int pay_status(const Model& m, const Ticket* t)
{
    if (!t || !issued(*t))
        return 1;
    if (t->state == Ticket::annulled)
        return 3;
    if (t->paid)
        return 4;
    if (!t->processed)
        return 0;
    return expired(m, *t) ? 5 : 2;
}

Ticket* find(Model& m, const std::function<bool(const Ticket&)>& match)
{
    for (auto& t : m.tickets)
        if (match(t))
            return &t;
    return nullptr;
}

// A lottery of the catalogue that fits, or the given one added to it.
const Lottery& demo_lottery(Model& m, const std::function<bool(const Lottery&)>& fits, const Lottery& own)
{
    for (const auto& l : m.lotteries)
        if (fits(l))
            return l;
    m.lotteries.append(own);
    return m.lotteries.last();
}

Lottery lottery(const char* code, const char* name, int codsim, int codzod, QTime draw)
{
    Lottery l;
    l.codint = l.codlot = QString::fromLatin1(code);
    l.nomlot = QString::fromLatin1(name);
    l.codsim = codsim;
    l.codzod = codzod;
    l.statpl = l.stater = 1;
    l.stazod = l.statrz = codzod > 0 ? 1 : 0;
    l.codrul = codsim;
    l.draw = draw;
    return l;
}

// Tickets of the last days for the demo outlet: to annul today, won, paid, annulled, expired.
void seed_tickets(Model& m)
{
    // Copies: adding a lottery may move the catalogue.
    const QString num = demo_lottery(m, [](const Lottery& l) { return l.codsim == 0 && l.codzod == 0; },
                                     lottery("901", "TRIPLE TARDE", 0, 0, QTime(16, 0))).codlot;
    const QString zod = demo_lottery(m, [](const Lottery& l) { return l.codsim == 0 && l.codzod == 1; },
                                     lottery("902", "ZODIACAL NOCHE", 0, 1, QTime(19, 0))).codlot;
    const QString cac = demo_lottery(m, [](const Lottery& l) { return l.codsim == 0 && l.codzod >= 2; },
                                     lottery("903", "CACHO NOCHE", 0, 2, QTime(19, 30))).codlot;
    const QString sim = demo_lottery(m, [](const Lottery& l) { return l.codsim == 1; },
                                     lottery("904", "SIMBOLOS TARDE", 1, 0, QTime(17, 0))).codlot;
    const qint64 unit = 100000000;
    struct Seed {
        int days_ago;
        const char* caja;
        const char* hora;
        Ticket::State state;
        bool processed;
        qint64 premio;      // units
        bool paid;
        QList<Play> plays;  // monto in units
        const char* cod_ven = "001";
    };
    const QList<Seed> seeds = {
        {10, "01", "10:05:00", Ticket::sold, true, 150, false, {{0, num, "N", "456", 5}}},
        {2, "01", "11:20:10", Ticket::annulled, false, 0, false, {{0, num, "N", "789", 3}}},
        {1, "01", "09:12:40", Ticket::sold, true, 700, false,
         {{0, num, "N", "123", 2}, {1, zod, "N", "123A", 1}, {2, sim, "N", "05", 2}, {3, sim, "N", "0a", 1}}},
        {1, "01", "09:40:05", Ticket::sold, true, 350, true, {{0, cac, "N", "45B", 2}, {1, sim, "N", "0512", 1}}},
        {1, "01", "10:02:33", Ticket::sold, true, 0, false, {{0, num, "N", "321", 4}}},
        {1, "02", "12:15:00", Ticket::sold, true, 900, false, {{0, sim, "N", "051299", 1}, {1, num, "N", "12", 2}}},
        {1, "01", "13:00:00", Ticket::sold, true, 500, false, {{0, num, "N", "555", 1}}, "002"},
        {0, "01", "08:30:12", Ticket::sold, false, 0, false, {{0, num, "N", "100", 3}, {1, zod, "N", "12C", 2}}},
        {0, "01", "08:45:50", Ticket::annulled, false, 0, false, {{0, num, "N", "200", 1}}},
        {0, "02", "09:05:00", Ticket::sold, false, 0, false, {{0, cac, "N", "300A", 2}}},
        {0, "01", "09:30:27", Ticket::sold, false, 0, false,
         {{0, sim, "N", "1520", 2}, {1, sim, "N", "010203", 1}, {2, num, "N", "777", 5}}},
    };
    // Serials apart from the ones the sale hands out; the history's end numbers the tickets.
    const QDate today = m.started.date();
    qint64 n = 0;
    for (const auto& s : seeds) {
        Ticket t;
        t.serial = 80000001 + n++;
        t.cod_ven = QString::fromLatin1(s.cod_ven);
        t.caja = QString::fromLatin1(s.caja);
        t.fecha = today.addDays(-s.days_ago);
        t.hora = QString::fromLatin1(s.hora);
        t.state = s.state;
        t.processed = s.processed;
        t.premio = s.premio * unit;
        t.paid = s.paid;
        if (s.paid) {
            t.paid_at = QDateTime(t.fecha, QTime(18, 0));
            t.paid_caja = t.caja;
        }
        for (Play p : s.plays) {
            p.monto *= unit;
            t.total += p.monto;
            t.plays << p;
        }
        m.tickets << t;
    }
}

} // namespace

// The procedures of ticket inquiry, annulment and payment over the one ticket store.
void install_services(Server& server)
{
    Model& model = server.model;
    seed_tickets(model);

    // dsptik: p2 ticket -> status; row fecmov, codven, iduser, total.
    server.register_procedure("dsptik", [&model](Request& r) {
        const Ticket* t = model.ticket(r.arg(0).toLongLong());
        r.status = annul_status(model, t);
        auto& rs = r.rows({"fecmov", "codven", "iduser", "total"});
        if (t && t->state != Ticket::deleted)
            rs.rows << QVariantList{t->fecha, t->cod_ven, t->caja, t->total};
        return true;
    });

    // anutix: ticket, outlet, caja -> 0 annulled. A caja annuls its own tickets, "00" any
    // of the outlet's, "**" (the sale window) also its refused ticket still being sold.
    server.register_procedure("anutix", [&model](Request& r) {
        Ticket* t = model.ticket(r.arg(0).toLongLong());
        const QString caja = r.text(2).trimmed();
        bool ok = t && t->cod_ven == r.text(1).trimmed();
        if (ok && caja == "**")
            ok = t->state == Ticket::pending || annul_status(model, t) == 0;
        else if (ok)
            ok = annul_status(model, t) == 0 && (caja == "00" || caja == t->caja);
        if (ok)
            t->state = Ticket::annulled;
        r.status = ok ? 0 : 1;
        return true;
    });

    // dsputk: p1 out the caja's last ticket (0: none), outlet, caja. The last is the highest
    // number: tickets are numbered in the order sold, the demo's history included.
    server.register_procedure("dsputk", [&model](Request& r) {
        qint64 last = 0;
        for (const auto& t : model.tickets)
            if (issued(t) && t.cod_ven == r.text(1).trimmed() && t.caja == r.text(2).trimmed())
                last = std::max(last, t.numtik);
        r.out(0, QVariant::fromValue(last));
        return true;
    });

    // dsptix: p1 out the ticket's key, p2 serial -> status; row fecmov, codven, iduser, total, premio.
    server.register_procedure("dsptix", [&model](Request& r) {
        const QString serial = r.text(1).trimmed();
        const Ticket* t = find(model, [&](const Ticket& x) { return issued(x) && serial_of(x) == serial; });
        r.status = pay_status(model, t);
        auto& rs = r.rows({"fecmov", "codven", "iduser", "total", "premio"});
        if (t) {
            r.out(0, key_of(*t));
            rs.rows << QVariantList{t->fecha, t->cod_ven, t->caja, t->total, t->premio};
        }
        return true;
    });

    // pagtix: key, outlet, caja, z4, z5 (null) -> 0 paid. Pays a processed winning ticket
    // of the outlet, by any of its cajas, before it expires.
    server.register_procedure("pagtix", [&model](Request& r) {
        const QString key = r.text(0).trimmed();
        Ticket* t = find(model, [&](const Ticket& x) { return issued(x) && key_of(x) == key; });
        const bool ok = t && pay_status(model, t) == 2 && t->premio > 0 && t->cod_ven == r.text(1).trimmed();
        if (ok) {
            t->paid = true;
            t->paid_at = model.now();
            t->paid_caja = r.text(2).trimmed();
        }
        r.status = ok ? 0 : 1;
        return true;
    });

    // contik: date "yyyy-mm-dd", outlet, caja ("00": every caja) -> the tickets in the order sold.
    server.register_procedure("contik", [&model](Request& r) {
        const QDate day = QDate::fromString(r.text(0).trimmed(), "yyyy-MM-dd");
        const QString ven = r.text(1).trimmed(), caja = r.text(2).trimmed();
        auto& rs = r.rows({"numtik", "iduser", "hormov", "status", "total"});
        for (const auto& t : model.tickets)
            if (issued(t) && t.fecha == day && t.cod_ven == ven && (caja == "00" || t.caja == caja))
                rs.rows << QVariantList{t.numtik, t.caja, t.hora, t.state == Ticket::annulled ? 1 : 0, t.total};
        return true;
    });

    // dettix: ticket -> its plays: nomlot, codsim, codzod, tipnum, numero, monto.
    server.register_procedure("dettix", [&model](Request& r) {
        const Ticket* t = model.ticket(r.arg(0).toLongLong());
        auto& rs = r.rows({"nomlot", "codsim", "codzod", "tipnum", "numero", "monto"});
        if (!t)
            return true;
        for (const auto& p : t->plays) {
            if (p.deleted)
                continue;
            const Lottery* l = model.lottery(p.codlot);
            rs.rows << QVariantList{l ? l->nomlot : p.codlot, l ? l->codsim : 0, l ? l->codzod : 0,
                                    jug_tipo(p.numero), p.numero, p.monto};
        }
        return true;
    });
}

} // namespace central
