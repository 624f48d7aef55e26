#include "procs_deposits.h"
#include "core/shared/whole.h"

DpoList dspdpo(App& app, const QString& cod_ven)
{
    DpoList l;
    l.ok = app.proc(QStringLiteral("dspdpo")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        const QList<db::Field> columns{
            {"fecmov", db::adDate}, {"codbco", db::adChar}, {"numero", db::adChar}, {"monto", db::adCurrency}};
        // A money column's fraction of a stored unit goes: the nearest whole count is kept
        // (the reader takes only amounts whose whole count fits 64 bits).
        for (const db::Row& row : r.rows(columns))
            l.rows << DpoRow{row.value("fecmov"), row.text("codbco"), row.text("numero"),
                             round_whole(row.number("monto")).value()};
    });
    return l;
}

CdpList dspcdp(App& app, const QString& cod_ven)
{
    CdpList l;
    l.ok = app.proc(QStringLiteral("dspcdp")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        for (const db::Row& row : r.rows({{"codbco", db::adChar}, {"nombco", db::adVarChar}}))
            l.rows << qMakePair(row.text("codbco"), row.text("nombco"));
    });
    return l;
}

DpoAnswer actdpo(App& app, const QString& op, const QString& fecha, const QString& cod_ven, const QString& codbco,
                 const QString& numero, qint64 monto)
{
    // The list's delete has always declared the answer a tinyint, the dialog an integer.
    const int status = op == QLatin1String("3") ? db::adTinyInt : db::adInteger;
    DpoAnswer a;
    a.ok = app.proc(QStringLiteral("actdpo"))
               .ret(QStringLiteral("p0"), status)
               .in(QStringLiteral("p1"), db::adChar, 1, op)
               .in(QStringLiteral("p2"), db::adChar, 10, fecha)
               .in(QStringLiteral("p3"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p4"), db::adChar, 3, codbco)
               .in(QStringLiteral("p5"), db::adChar, 10, numero)
               .in(QStringLiteral("p6"), db::adBigInt, 0, monto)
               .exec([&](db::Reader& r) { a.code = int(r.whole("p0", status)); });
    return a;
}
