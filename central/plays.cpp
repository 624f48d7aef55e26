#include "central.h"

#include <algorithm>

namespace central {

namespace {

bool digits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
}

bool series(const QString& tipo) { return tipo == "S" || tipo == "C"; }

Ticket* pending(Model& m, const QVariant& numtik)
{
    Ticket* t = m.ticket(numtik.toLongLong());
    return t && t->state == Ticket::pending ? t : nullptr;
}

// The lotteries of a list of 3-character codes, in its order.
QList<const Lottery*> lots_of(const Model& m, const QString& codes)
{
    QList<const Lottery*> out;
    const QString c = codes.trimmed();
    for (qsizetype at = 0; at + 3 <= c.size(); at += 3)
        for (const auto& l : m.lotteries)
            if (l.codint == c.mid(at, 3)) {
                out << &l;
                break;
            }
    return out;
}

// An animal play names no lottery: it goes to the animal lotteries of one symbol a play
// (one code) or of several (two or three codes).
QList<const Lottery*> animal_lots(const Model& m, const QString& num)
{
    QList<const Lottery*> out;
    for (const auto& l : m.lotteries)
        if (l.codrul >= 1 && (num.size() == 2 ? l.stasit == 0 : l.stasit >= 1))
            out << &l;
    return out;
}

// The ten numbers of a serie ("12": 012 to 912; "1": 01 to 91) or a corrida ("12": 120 to
// 129; "1": 10 to 19).
QStringList ten(const QString& tipo, const QString& base)
{
    QStringList out;
    for (int d = 0; d <= 9; ++d)
        out << (tipo == "S" ? QString::number(d) + base : base + QString::number(d));
    return out;
}

// The distinct numbers of three digits a permutation gives: the arrangements of the digits
// of three different places of the number.
QStringList permutations(const QString& num)
{
    QStringList out;
    const qsizetype n = num.size();
    for (qsizetype i = 0; i < n; ++i)
        for (qsizetype j = 0; j < n; ++j)
            for (qsizetype k = 0; k < n; ++k)
                if (i != j && j != k && i != k) {
                    const QString p = QString(num[i]) + num[j] + num[k];
                    if (!out.contains(p))
                        out << p;
                }
    return out;
}

// The quota left of a number of a lottery.
qint64& cupo(Model& m, const QString& codlot, const QString& numero)
{
    const QString key = codlot + "/" + numero;
    if (!m.cupo.contains(key))
        m.cupo[key] = m.cupo_num;
    return m.cupo[key];
}

// A play taken off its ticket gives its quota back.
void take_off(Model& m, Play& p)
{
    p.deleted = true;
    if (p.monto <= 0)
        return;
    for (const QString& n : series(p.tipo) ? ten(p.tipo, p.numero) : QStringList{p.numero})
        cupo(m, p.codlot, n) += p.monto;
}

// Whether a lottery takes a play (of another lottery, when from is given): plays of symbols
// stay with their set and signs with their family; the number's shape does the rest.
bool takes(const Lottery& l, const Play& p, const Lottery* from)
{
    if (from && (from->codsim != l.codsim || from->codzod != l.codzod))
        return false;
    const QString& n = p.numero;
    if (!n.isEmpty() && n.back().isLetter())
        return l.codzod >= 1 && (n.size() == 3 ? l.statrz : l.stazod) != 0;
    if (p.tipo == "T")
        return l.stasit != 0;
    if (series(p.tipo))
        return n.size() == 2 ? l.statpl != 0 : l.stater != 0;
    switch (n.size()) {
    case 2: return l.codsim > 0 ? l.stasit == 0 : l.stater != 0;
    case 3: return l.statpl != 0;
    case 4: return l.stadbl != 0;
    case 6: return l.stamor != 0 || l.stasit != 0;
    default: return false;
    }
}

// The answer of a request that puts plays on a ticket: one row per line, each line the
// ticket's next play from the client's index on; a marker row for a lottery that is closed
// or holds all the lines a ticket may have of it.
class Lines {
public:
    Lines(Model& m, Request& r, Ticket* t, qint64 first)
        : m_(m), t_(t), next_(first), rs_(r.rows({"codlot", "numero", "tipo", "monto", "numago"}))
    {
        for (const Play& p : t ? t->plays : QList<Play>())
            if (!p.deleted)
                ++lines_[p.codlot];
    }

    // A number, codes or a number with its sign, granted what its quota leaves.
    void number(const Lottery& l, const QString& tipo, const QString& numero, qint64 asked)
    {
        if (!open(l))
            return;
        qint64& left = cupo(m_, l.codlot, numero);
        const qint64 granted = std::clamp<qint64>(left, 0, std::max<qint64>(asked, 0));
        left -= granted;
        add(l, tipo, numero, granted, granted, {});
    }
    // A serie or corrida: sold whole when each of its numbers has the amount; otherwise
    // registered at 0 with what the numbers lack ("*": none of them can be sold).
    void serie(const Lottery& l, const QString& tipo, const QString& base, qint64 asked)
    {
        if (!open(l))
            return;
        const QStringList numbers = ten(tipo, base);
        qint64 least = asked;
        QString lack;
        bool any = false;
        for (const QString& n : numbers) {
            const qint64 left = std::max<qint64>(cupo(m_, l.codlot, n), 0);
            least = std::min(least, left);
            any = any || left > 0;
            if (left < asked)
                lack += n + ":" + m_.units(left) + "%";
        }
        if (lack.isEmpty())
            for (const QString& n : numbers)
                cupo(m_, l.codlot, n) -= asked;
        add(l, tipo, base, lack.isEmpty() ? asked : 0, least, lack.isEmpty() || any ? lack : "*");
    }
    // What a short serie or corrida can sell: its numbers that have quota, one by one.
    void sellable(const Lottery& l, const QString& tipo, const QString& base, qint64 asked)
    {
        for (const QString& n : ten(tipo, base))
            if (cupo(m_, l.codlot, n) > 0)
                number(l, "N", n, asked);
    }

private:
    bool open(const Lottery& l)
    {
        if (refused_.contains(l.codlot))
            return false;
        const QString why = !m_.sells(l) ? "******" : lines_.value(l.codlot) >= m_.lot_lines ? "LIMITE" : "";
        if (why.isEmpty())
            return true;
        refused_ << l.codlot;
        rs_.rows << QVariantList{"***", why, "", 0, ""};
        return false;
    }
    void add(const Lottery& l, const QString& tipo, const QString& numero, qint64 kept, qint64 granted,
             const QString& numago)
    {
        t_->plays << Play{int(next_++), l.codlot, tipo, numero, kept, false};
        ++lines_[l.codlot];
        QString shown = numero;
        if (l.codsim > 0)
            shown.replace("0-", m_.sim_zero);
        rs_.rows << QVariantList{l.codlot, shown, tipo, granted, numago};
    }

    Model& m_;
    Ticket* t_;
    qint64 next_;
    db::ResultSet& rs_;
    QMap<QString, int> lines_;   // live lines of each lottery on the ticket
    QSet<QString> refused_;
};

// Plays put again on the target lotteries (their own when none), each once a lottery, at
// the amount (their own when 0).
void again(const Model& m, Lines& out, const QList<Play>& plays, const QList<const Lottery*>& targets, qint64 amount)
{
    QSet<QString> done;
    for (const Play& p : plays) {
        const Lottery* from = m.lottery(p.codlot);
        for (const Lottery* l : targets.isEmpty() && from ? QList<const Lottery*>{from} : targets) {
            const QString key = l->codlot + "/" + p.tipo + p.numero;
            if (done.contains(key) || !takes(*l, p, from))
                continue;
            done << key;
            const qint64 a = amount > 0 ? amount : p.monto;
            if (series(p.tipo))
                out.serie(*l, p.tipo, p.numero, a);
            else
                out.number(*l, p.tipo, p.numero, a);
        }
    }
}

// The live plays of a ticket that hold an amount.
QList<Play> live(const Ticket& t)
{
    QList<Play> out;
    for (const Play& p : t.plays)
        if (!p.deleted && p.monto > 0)
            out << p;
    return out;
}

void seed(Model& m)
{
    // Numbers of the demo that sell out or run short.
    m.cupo["TCA/000"] = 0;
    m.cupo["TZU/777"] = 500000000;   // 5 units
    m.cupo["TCA/512"] = 200000000;   // a serie *12 of more than 2 units is short
}

} // namespace

// Play registration: a play request expanded into lines under the quotas (protkx), the
// plays the server builds (terminals, repeated plays, a duplicated ticket), and plays taken
// off a pending ticket.
void install_plays(Server& server)
{
    Model& m = server.model;
    seed(m);

    // protkx: x1 ticket, x2 lottery codes ("" an animal play), x3 kind, x4 number, x5
    // amount, x6 1 to confirm a short serie or corrida, x7 the first line's index, x8 1
    // -> rows codlot, numero, tipo, monto, numago.
    server.register_procedure("protkx", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(0));
        Lines out(m, r, t, r.arg(6).toLongLong());
        const QString lots = r.text(1).trimmed(), tipo = r.text(2).trimmed(), num = r.text(3).trimmed();
        const qint64 asked = r.arg(4).toLongLong();
        if (!t || num.isEmpty())
            return true;
        for (const Lottery* l : lots.isEmpty() ? animal_lots(m, num) : lots_of(m, lots)) {
            if (r.arg(5).toInt() == 1)
                out.sellable(*l, tipo, num, asked);
            else if (series(tipo))
                out.serie(*l, tipo, num, asked);
            else if (tipo == "P")
                for (const QString& p : permutations(num))
                    out.number(*l, "N", p, asked);
            else if (num.endsWith('*'))
                for (char sign = 'A'; sign <= 'L'; ++sign)
                    out.number(*l, "N", num.chopped(1) + sign, asked);
            else
                out.number(*l, tipo, num, asked);
        }
        return true;
    });

    // tertix: d1 ticket, d2 amount (0: each play's own), d3 the first line's index -> the
    // terminal of each triple of the ticket, on its lottery.
    server.register_procedure("tertix", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(0));
        Lines out(m, r, t, r.arg(2).toLongLong());
        if (!t)
            return true;
        QList<Play> terminals;
        for (Play p : live(*t)) {
            const Lottery* l = m.lottery(p.codlot);
            if (p.tipo == "N" && p.numero.size() == 3 && digits(p.numero) && l && l->stater != 0) {
                p.numero = p.numero.right(2);
                terminals << p;
            }
        }
        again(m, out, terminals, {}, r.arg(1).toLongLong());
        spoil::drop_column("tipo")(r);  // a terminal is a number: its answer has no kind
        return true;
    });

    // reptix: d1 ticket, d2 the last play to repeat, d3 lottery codes, d4 amount, d5 the
    // first line's index, d6 1 -> the plays up to d2 on the lotteries.
    server.register_procedure("reptix", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(0));
        Lines out(m, r, t, r.arg(4).toLongLong());
        if (!t)
            return true;
        QList<Play> plays;
        for (const Play& p : live(*t))
            if (p.index <= r.arg(1).toLongLong())
                plays << p;
        const QList<const Lottery*> targets = lots_of(m, r.text(2));
        if (!targets.isEmpty())
            again(m, out, plays, targets, r.arg(3).toLongLong());
        return true;
    });

    // duptix: d1 a committed ticket, d2 ticket, d3 amount, d4 the source lottery (" ":
    // every one), d5 target lottery codes (none: each play's own), d6 the first line's
    // index, d7 1 -> the source's plays on the targets.
    server.register_procedure("duptix", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(1));
        Lines out(m, r, t, r.arg(5).toLongLong());
        const Ticket* source = m.ticket(r.arg(0).toLongLong());
        if (!t || !source || source->state != Ticket::sold)
            return true;
        const QList<const Lottery*> from = lots_of(m, r.text(3));
        QList<Play> plays;
        for (const Play& p : live(*source))
            if (from.isEmpty() || from[0]->codlot == p.codlot)
                plays << p;
        again(m, out, plays, lots_of(m, r.text(4)), r.arg(2).toLongLong());
        return true;
    });

    // delnux: d1 ticket, d2 play index -> the play is taken off (it keeps its index).
    server.register_procedure("delnux", [&m](Request& r) {
        if (Ticket* t = pending(m, r.arg(0)))
            for (Play& p : t->plays)
                if (p.index == r.arg(1).toLongLong() && !p.deleted)
                    take_off(m, p);
        return true;
    });

    // bortix: d1 ticket, d2 lottery codes ("*": every lottery), d3 1 -> their plays are
    // taken off.
    server.register_procedure("bortix", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(0));
        if (!t)
            return true;
        const QString codes = r.text(1).trimmed();
        QSet<QString> lots;
        for (const Lottery* l : lots_of(m, codes))
            lots << l->codlot;
        for (Play& p : t->plays)
            if (!p.deleted && (codes == "*" || lots.contains(p.codlot)))
                take_off(m, p);
        return true;
    });
}

} // namespace central
