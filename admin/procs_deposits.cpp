#include "procs_deposits.h"
#include "core/db/values.h"

DpoList dspdpo(App& app, const QString& cod_ven)
{
    const db::Reply r = app.proc(QStringLiteral("dspdpo")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec();
    DpoList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        DpoRow row;
        row.fecmov = rs.field(QStringLiteral("fecmov"));
        rs.read_text(QStringLiteral("codbco"), row.codbco);
        rs.read_text(QStringLiteral("numero"), row.numero);
        const QVariant monto = rs.field(QStringLiteral("monto"));
        if (!db::to_whole(monto, row.monto))
            row.monto = qRound64(monto.toDouble());
        l.rows << row;
    }
    return l;
}

CdpList dspcdp(App& app, const QString& cod_ven)
{
    const db::Reply r = app.proc(QStringLiteral("dspcdp")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec();
    CdpList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        QString code, name;
        rs.read_text(QStringLiteral("codbco"), code);
        rs.read_text(QStringLiteral("nombco"), name);
        l.rows << qMakePair(code, name);
    }
    return l;
}

DpoAnswer actdpo(App& app, const QString& op, const QString& fecha, const QString& cod_ven, const QString& codbco,
                 const QString& numero, qint64 monto)
{
    // The list's delete has always declared the answer a tinyint, the dialog an integer.
    const db::Reply r = app.proc(QStringLiteral("actdpo"))
                            .ret(QStringLiteral("p0"), op == QLatin1String("3") ? db::adTinyInt : db::adInteger)
                            .in(QStringLiteral("p1"), db::adChar, 1, op)
                            .in(QStringLiteral("p2"), db::adChar, 10, fecha)
                            .in(QStringLiteral("p3"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p4"), db::adChar, 3, codbco)
                            .in(QStringLiteral("p5"), db::adChar, 10, numero)
                            .in(QStringLiteral("p6"), db::adBigInt, 0, monto)
                            .exec();
    return DpoAnswer{r.ok, int(r.status(-1))};
}
