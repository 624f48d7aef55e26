#include "central.h"

#include <algorithm>

namespace central {

namespace {

// The catalogue by draw time (order 0, then by name) or by name (any other order).
QList<const Lottery*> ordered(const Model& m, int order)
{
    QList<const Lottery*> out;
    for (const auto& l : m.lotteries)
        out << &l;
    std::stable_sort(out.begin(), out.end(), [order](const Lottery* a, const Lottery* b) {
        if (order == 0 && a->draw != b->draw)
            return a->draw < b->draw;
        return a->nomlot < b->nomlot;
    });
    return out;
}

// The lotteries of a list mode: 0 all, 1 animals, 2 triple/terminal/zodiac, 3 tripleta;
// above 3 the base mode × 100 + the code of an extra play type's letter, which the
// lottery's own extra letter tells apart.
bool in_mode(const Lottery& l, int mode)
{
    if (mode > 3) {
        const int base = l.extra.isNull() ? -1 : mode - l.extra.unicode();
        return base >= 0 && base <= 300 && base % 100 == 0 && in_mode(l, base / 100);
    }
    switch (mode) {
    case 1: return l.codrul > 0 && l.stasit == 0;
    case 2: return l.codrul <= 0 && l.stamor == 0;
    case 3: return l.stamor > 0 || l.stasit > 0;
    default: return true;
    }
}

// Rows of open lotteries, as newtkx and dttlot answer them.
void lottery_rows(Request& r, const Model& m, int order, int mode)
{
    auto& rs = r.rows({"codint", "statpl", "stater", "stazod", "statrz", "stamor", "stadbl", "stasit", "stastd",
                       "stastt", "codsim", "codrul", "codzod", "zorder"});
    for (const Lottery* l : ordered(m, order))
        if (m.sells(*l) && in_mode(*l, mode))
            rs.rows << QVariantList{l->codint, l->statpl, l->stater, l->stazod, l->statrz, l->stamor, l->stadbl,
                                    l->stasit,  l->stastd, l->stastt, l->codsim, l->codrul, l->codzod, l->zorder};
}

// The plays of a ticket as the printed ticket words them: groups "draw,draw:play,play"
// separated by ";", one group for the lotteries that carry the same plays. Detailed (1):
// one play per number, "123x10"; summarised (2): the numbers of one amount together,
// "123/456x10"; 0: nothing.
QString ticket_text(const Model& m, const Ticket& t, int detail)
{
    if (detail <= 0)
        return {};
    QStringList codes;                       // lotteries in the order of their first play
    QMap<QString, QList<const Play*>> plays;
    for (const auto& p : t.plays)
        if (!p.deleted && p.monto > 0) {
            if (!codes.contains(p.codlot))
                codes << p.codlot;
            plays[p.codlot] << &p;
        }
    const auto words = [&](const QList<const Play*>& list) {
        QStringList out;
        if (detail == 1) {
            for (const Play* p : list)
                out << p->text() + "x" + m.units(p->monto);
            return out.join(',');
        }
        QList<qint64> amounts;
        QMap<qint64, QStringList> numbers;
        for (const Play* p : list) {
            if (!amounts.contains(p->monto))
                amounts << p->monto;
            numbers[p->monto] << p->text();
        }
        for (qint64 a : amounts)
            out << numbers[a].join('/') + "x" + m.units(a);
        return out.join(',');
    };
    QStringList groups, texts;
    QList<QStringList> draws;
    for (const QString& code : codes) {
        const Lottery* l = m.lottery(code);
        const QString draw = (l ? l->nomlot + " " + l->draw.toString("hh.mm") : code);
        const QString text = words(plays[code]);
        const qsizetype k = texts.indexOf(text);
        if (k >= 0) {
            draws[k] << draw;
        } else {
            texts << text;
            draws << QStringList{draw};
        }
    }
    for (qsizetype k = 0; k < texts.size(); ++k)
        groups << draws[k].join(',') + ":" + texts[k];
    return groups.join(';');
}

qint64 param_amount(const Model& m, const char* key) { return m.param(QLatin1String(key)).toLongLong(); }

// valtkx: the ticket's total against the outlet's limits, its plays, its draws and the
// quota; 0 or a refusal code, or the amount of its plays once it is committed.
qint64 commit(Model& m, Ticket* t, qint64 total, qint64 tax)
{
    if (!t || t->state != Ticket::pending || t->cod_ven != m.outlet.cod_ven)
        return 0;
    if (total < param_amount(m, "VENTIK_MIN") || total > param_amount(m, "VENTIK_MAX"))
        return -1;
    qint64 sum = 0;
    bool draw_closed = false;
    for (const auto& p : t->plays)
        if (!p.deleted) {
            sum += p.amount();
            const Lottery* l = m.lottery(p.codlot);
            draw_closed = draw_closed || !l || m.closed(*l);
        }
    if (sum <= 0 || sum != total)
        return -2;
    if (draw_closed)
        return -3;
    if (total > m.outlet.quota)
        return -7;
    t->state = Ticket::sold;
    t->total = total;
    t->tax = tax;
    t->hora = m.now().time().toString("hh:mm:ss");
    m.outlet.quota -= total;
    return sum;
}

void seed(Model& model)
{
    // The demo outlet's parameters, stored units of 1/100000000.
    const QList<QPair<QString, QString>> params = {
        {"TVENCE_TIK", "3"},
        {"JUGADA_MIN", "100000000"},      {"JUGADA_MIZ", "100000000"},      {"JUGADA_MIS", "100000000"},
        {"JUGADA_MAX", "100000000000"},   {"JUGADA_MAZ", "50000000000"},    {"JUGADA_MAS", "50000000000"},
        {"VENTIK_MIN", "100000000"},      {"VENTIK_MAX", "1000000000000"},
        {"ANUTIK_VEN", "0"},
        {"JUGMIN_SYS", "10000000/1000000000"}, {"JUGMAX_SYS", "10000000000/500000000000"},
        {"TIKMIN_SYS", "100000000/1000000000"}, {"TIKMAX_SYS", "100000000000/5000000000000"},
        {"JUGADA_SYS", "100000000"},
    };
    for (const auto& [k, v] : params)
        model.set_param(k, v);
    model.outlet.quota = 10000000000000;  // 100000 units
    model.outlet.values["GETLOT_MNU"] = "S - SELVA PLUS,C - CHANCES";

    // The catalogue: triples, sign plays (zodiac and cacho), a doblete, a tripleta, and
    // animal lotteries of one symbol a play (they take codes of two characters) and of three
    // (symbol set 1).
    struct Seed {
        const char *codint, *codlot, *nomlot;
        int hour, minute;
        int statpl, stater, stazod, statrz, stamor, stadbl, stasit, stastd, stastt, codsim, codrul, codzod;
        char extra;
    };
    const Seed seeds[] = {
        {"001", "TCA", "TRIPLE CARACAS", 13, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"002", "TZU", "TRIPLE ZULIA", 16, 45, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"003", "TTA", "TRIPLE TACHIRA", 22, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"004", "ZCA", "TRIPLE CARACAS ZODIACAL", 13, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0},
        {"005", "CHA", "CHANCE CACHO ASTRAL", 16, 30, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 2, 'C'},
        {"006", "DBO", "DOBLETE ORIENTE", 19, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 'C'},
        {"007", "TML", "TRIPLETA LA MILLONARIA", 21, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
        {"008", "LAC", "LOTTO ACTIVO", 10, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0},
        {"009", "GRA", "LA GRANJITA", 11, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0},
        {"010", "RUA", "RULETA ACTIVA", 12, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0},
        {"011", "LAT", "LOTTO ACTIVO TRIPLETA", 19, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0},
        {"012", "SEL", "SELVA PLUS ANIMALITOS VIP", 18, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 'S'},
    };
    int zorder = 0;
    for (const Seed& s : seeds) {
        Lottery l;
        l.codint = s.codint;
        l.codlot = s.codlot;
        l.nomlot = s.nomlot;
        l.draw = QTime(s.hour, s.minute);
        l.statpl = s.statpl;
        l.stater = s.stater;
        l.stazod = s.stazod;
        l.statrz = s.statrz;
        l.stamor = s.stamor;
        l.stadbl = s.stadbl;
        l.stasit = s.stasit;
        l.stastd = s.stastd;
        l.stastt = s.stastt;
        l.codsim = s.codsim;
        l.codrul = s.codrul;
        l.codzod = s.codzod;
        l.codsit = s.stasit;
        l.zorder = ++zorder;
        l.extra = QChar(s.extra);
        model.lotteries << l;
    }
}

} // namespace

// The procedures of the ticket cycle: the outlet's sale parameters, the lottery tables,
// opening, watching, committing and deleting a ticket.
void install_sale(Server& server)
{
    Model& model = server.model;
    seed(model);

    // getpaq: x1 outlet -> rows nombre, valor.
    server.register_procedure("getpaq", [&model](Request& r) {
        auto& rs = r.rows({"nombre", "valor"});
        for (const auto& [k, v] : model.outlet.params)
            rs.rows << QVariantList{k, v};
        return true;
    });

    // dstlot: d1 order, d2 fixed 1 -> the catalogue.
    server.register_procedure("dstlot", [&model](Request& r) {
        auto& rs = r.rows({"codint", "codlot", "nomlot", "codsim", "codsit"});
        for (const Lottery* l : ordered(model, r.arg(0).toInt()))
            rs.rows << QVariantList{l->codint, l->codlot, l->nomlot, QString::number(l->codsim),
                                    QString::number(l->codsit)};
        return true;
    });

    server.register_procedure("dsplot", [&model](Request& r) {
        auto& rs = r.rows({"nomlot"});
        for (const auto& l : model.lotteries)
            rs.rows << QVariantList{l.nomlot};
        return true;
    });

    // newtkx: z1..z4 out (number, serial, date, time); z5 outlet, z6 caja, z7 terminal,
    // z8 order, z9 fixed 1, z10 sale mode -> return status, rows of the open lotteries.
    server.register_procedure("newtkx", [&model](Request& r) {
        const Outlet& o = model.outlet;
        if (model.newtkx_override >= 0)
            r.status = model.newtkx_override;
        else if (r.text(4).trimmed() != o.cod_ven)
            r.status = 6;
        else if (o.status == 2)
            r.status = 1;
        else if (o.status == 1)
            r.status = 2;
        else if (o.quota <= 0)
            r.status = 7;
        else
            r.status = 0;
        if (r.status != 0) {
            r.out(0, QVariant::fromValue<qint64>(0));
            r.out(1, QVariant::fromValue<qint64>(0));
            return true;
        }
        const QDateTime now = model.now();
        Ticket t;
        t.numtik = model.next_numtik++;
        t.serial = model.next_serial++;
        t.cod_ven = o.cod_ven;
        t.caja = r.text(5).trimmed();
        t.fecha = now.date();
        t.hora = now.time().toString("hh:mm:ss");
        model.tickets << t;
        lottery_rows(r, model, r.arg(7).toInt(), 0);
        r.out(0, t.numtik);
        r.out(1, t.serial);
        r.out(2, t.fecha.toString("yyyy-MM-dd"));
        r.out(3, t.hora);
        return true;
    });

    // dttlot: d1 outlet, d2 list mode, d3 order, d4 fixed 1 -> rows of the open lotteries.
    server.register_procedure("dttlot", [&model](Request& r) {
        lottery_rows(r, model, r.arg(2).toInt(), r.arg(1).toInt());
        return true;
    });

    // statik: w1 ticket -> 1 when the pending ticket is gone or left from an earlier day
    // (the client drops it), 0 while it is pending, 2 once it is closed.
    server.register_procedure("statik", [&model](Request& r) {
        const Ticket* t = model.ticket(r.arg(0).toLongLong());
        if (!t || (t->state == Ticket::pending && t->fecha < model.today()))
            r.status = 1;
        else
            r.status = t->state == Ticket::pending ? 0 : 2;
        return true;
    });

    // deltik: d1 the ticket's 8 digits -> a pending ticket is deleted.
    server.register_procedure("deltik", [&model](Request& r) {
        if (Ticket* t = model.ticket(r.text(0).trimmed().toLongLong()); t && t->state == Ticket::pending)
            t->state = Ticket::deleted;
        return true;
    });

    // valtkx: y1, y2 out (amount or refusal code, time); y3 ticket, y4 total, y5 tax, y6
    // print detail -> return the quota left in whole units; rows ticket2 once committed.
    server.register_procedure("valtkx", [&model](Request& r) {
        Ticket* t = model.ticket(r.text(2).trimmed().toLongLong());
        const qint64 code = commit(model, t, r.arg(3).toLongLong(), r.arg(4).toLongLong());
        r.status = int(model.outlet.quota / qint64(model.mod_sys()));
        r.out(0, code);
        if (code <= 0)
            return true;
        r.out(1, t->hora);
        r.rows({"ticket2"}).rows << QVariantList{ticket_text(model, *t, r.arg(5).toInt())};
        return true;
    });
}

} // namespace central
