#include "procs_tickets.h"
#include "core/shared/justify.h"

#include <QDate>
#include <QDateTime>

namespace {

// A field as the windows show it: a date as "dd/mm/yyyy", anything else as its text;
// a missing or null field leaves out as it was.
void read_field(const db::Recordset& rs, const char* column, QString& out)
{
    const QVariant v = rs.field(QLatin1String(column));
    if (v.isNull() || !v.isValid())
        return;
    if (v.metaType().id() == QMetaType::QDate || v.metaType().id() == QMetaType::QDateTime)
        out = v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    else
        out = v.toString();
}

// The status and the first row's sale data, shared by the two ticket headers.
void read_header(const db::Reply& r, TikHeader& h)
{
    h.ok = r.ok;
    if (!r.ok)
        return;
    if (!r.rows.eof()) {
        read_field(r.rows, "fecmov", h.fecmov);
        read_field(r.rows, "codven", h.codven);
        read_field(r.rows, "iduser", h.iduser);
        read_field(r.rows, "total", h.total);
    }
    h.code = int(r.status(-1));
}

} // namespace

TikHeader dsptik(App& app, qint64 numtik)
{
    const db::Reply r = app.proc(QStringLiteral("dsptik"))
                            .ret(QStringLiteral("p1"), db::adTinyInt)
                            .in(QStringLiteral("p2"), db::adBigInt, 0, numtik)
                            .exec();
    TikHeader h;
    read_header(r, h);
    return h;
}

LastTicket dsputk(App& app, const QString& cod_ven, const QString& cod_caj)
{
    const db::Reply r = app.proc(QStringLiteral("dsputk"))
                            .out(QStringLiteral("p1"), db::adBigInt)
                            .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p3"), db::adChar, 2, cod_caj)
                            .exec();
    return {r.ok, r.value(QStringLiteral("p1")).toLongLong()};
}

TixHeader dsptix(App& app, const QString& serial)
{
    const db::Reply r = app.proc(QStringLiteral("dsptix"))
                            .ret(QStringLiteral("p0"), db::adSmallInt)
                            .out(QStringLiteral("p1"), db::adChar, 8)
                            .in(QStringLiteral("p2"), db::adChar, 8, serial)
                            .exec();
    TixHeader h;
    read_header(r, h);
    if (!r.ok)
        return h;
    if (!r.rows.eof())
        read_field(r.rows, "premio", h.premio);
    r.read(QStringLiteral("p1"), h.key);
    return h;
}

PayAnswer pagtix(App& app, const QString& key, const QString& cod_ven, const QString& cod_caj)
{
    const db::Reply r = app.proc(QStringLiteral("pagtix"))
                            .ret(QStringLiteral("z0"))
                            .in(QStringLiteral("z1"), db::adChar, 8, key)
                            .in(QStringLiteral("z2"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("z3"), db::adChar, 2, cod_caj)
                            .in(QStringLiteral("z4"), db::adChar, 12, pad_right({}, 6) + pad_right({}, 6))
                            .in(QStringLiteral("z5"), db::adChar, 12, QVariant())
                            .exec();
    return {r.ok, int(r.status(-1))};
}

TicketRows contik(App& app, const QString& fecha, const QString& cod_ven, const QString& cod_caj)
{
    const db::Reply r = app.proc(QStringLiteral("contik"))
                            .in(QStringLiteral("p1"), db::adChar, 10, fecha)
                            .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p3"), db::adChar, 2, cod_caj)
                            .exec();
    TicketRows out;
    out.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        TicketRow t;
        read_field(rs, "numtik", t.numtik);
        read_field(rs, "iduser", t.iduser);
        read_field(rs, "hormov", t.hormov);
        t.status = rs.field(QStringLiteral("status")).toInt();
        read_field(rs, "total", t.total);
        out.rows << t;
    }
    return out;
}
