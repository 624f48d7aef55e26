#include "central.h"

#include <algorithm>

namespace central {

namespace {

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

void seed(Model& m)
{
    // Numbers of the demo that sell out or run short.
    m.cupo["TCA/000"] = 0;
    m.cupo["TZU/777"] = 500000000;   // 5 units
    m.cupo["TCA/512"] = 200000000;   // a serie *12 of more than 2 units is short
}

} // namespace

// Play registration: a play request expanded into lines under the quotas (protkx).
void install_plays(Server& server)
{
    Model& m = server.model;
    seed(m);

    // protkx: x1 ticket, x2 lottery codes, x3 kind, x4 number, x5
    // amount, x6 1 to confirm a short serie or corrida, x7 the first line's index, x8 1
    // -> rows codlot, numero, tipo, monto, numago.
    server.register_procedure("protkx", [&m](Request& r) {
        Ticket* t = pending(m, r.arg(0));
        Lines out(m, r, t, r.arg(6).toLongLong());
        const QString lots = r.text(1).trimmed(), tipo = r.text(2).trimmed(), num = r.text(3).trimmed();
        const qint64 asked = r.arg(4).toLongLong();
        if (!t)
            return true;
        for (const Lottery* l : lots_of(m, lots)) {
            if (r.arg(5).toInt() == 1)
                out.sellable(*l, tipo, num, asked);
            else if (series(tipo))
                out.serie(*l, tipo, num, asked);
            else if (tipo == "P")
                for (const QString& p : permutations(num))
                    out.number(*l, "N", p, asked);
            else
                out.number(*l, tipo, num, asked);
        }
        return true;
    });
}

} // namespace central
