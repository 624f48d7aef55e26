#include "procs.h"

namespace {

using db::adBigInt;
using db::adChar;
using db::adInteger;
using db::adVarChar;

PlayAnswer answer(App& app, const db::Reply& r)
{
    PlayAnswer a;
    a.ok = r.ok && app.flg_nocox == 0;
    for (db::Recordset rs = r.rows; a.ok && !rs.eof(); rs.move_next()) {
        RspJug row;
        rs.read_text(QStringLiteral("codlot"), row.codlot);
        rs.read_text(QStringLiteral("numero"), row.numero);
        rs.read_text(QStringLiteral("tipo"), row.tipo);
        rs.read_text(QStringLiteral("numago"), row.numago);
        row.monto = rs.field(QStringLiteral("monto")).toDouble();
        a.rows.append(row);
    }
    return a;
}

} // namespace

PlayAnswer protkx(App& app, const PlayReq& q, bool prepared)
{
    const QVariantList values = {q.numtik, q.lots, q.tipo, q.numero, q.monto, q.confirm, q.can_jug, q.val_fijo};
    if (prepared) {
        db::Command& cmd = app.cmd_protkx;
        for (int i = 0; i < values.size(); ++i)
            cmd.set_value(QStringLiteral("x%1").arg(i + 1), values[i]);
        return answer(app, db::run_prepared(app.rule(), cmd));
    }
    return answer(app, app.proc(QStringLiteral("protkx"))
                           .in("d1", adBigInt, 0, values[0])
                           .in("d2", adVarChar, 255, values[1])
                           .in("d3", adChar, 1, values[2])
                           .in("d4", adChar, 6, values[3])
                           .in("d5", adBigInt, 0, values[4])
                           .in("d6", adInteger, 0, values[5])
                           .in("d7", adBigInt, 0, values[6])
                           .in("d8", adBigInt, 0, values[7])
                           .exec());
}

PlayAnswer tertix(App& app, qint64 numtik, qint64 monto, qint64 can_jug)
{
    return answer(app, app.proc(QStringLiteral("tertix"))
                           .in("d1", adBigInt, 0, numtik)
                           .in("d2", adBigInt, 0, monto)
                           .in("d3", adBigInt, 0, can_jug)
                           .exec());
}

PlayAnswer reptix(App& app, qint64 numtik, qint64 index, const QString& lots, qint64 monto, qint64 can_jug,
                  int val_fijo)
{
    return answer(app, app.proc(QStringLiteral("reptix"))
                           .in("d1", adBigInt, 0, numtik)
                           .in("d2", adBigInt, 0, index)
                           .in("d3", adVarChar, 255, lots)
                           .in("d4", adBigInt, 0, monto)
                           .in("d5", adBigInt, 0, can_jug)
                           .in("d6", adBigInt, 0, val_fijo)
                           .exec());
}

PlayAnswer duptix(App& app, qint64 source, qint64 numtik, qint64 monto, const QString& lot, const QString& lots,
                  qint64 can_jug, int val_fijo)
{
    return answer(app, app.proc(QStringLiteral("duptix"))
                           .in("d1", adBigInt, 0, source)
                           .in("d2", adBigInt, 0, numtik)
                           .in("d3", adBigInt, 0, monto)
                           .in("d4", adVarChar, 3, lot)
                           .in("d5", adVarChar, 255, lots)
                           .in("d6", adBigInt, 0, can_jug)
                           .in("d7", adBigInt, 0, val_fijo)
                           .exec());
}

bool delnux(App& app, qint64 numtik, qint64 index)
{
    const db::Reply r =
        app.proc(QStringLiteral("delnux")).in("d1", adBigInt, 0, numtik).in("d2", adBigInt, 0, index).exec();
    return r.ok && app.flg_nocox == 0;
}

bool bortix(App& app, qint64 numtik, const QString& lots, int val_fijo)
{
    const db::Reply r = app.proc(QStringLiteral("bortix"))
                            .in("d1", adBigInt, 0, numtik)
                            .in("d2", adVarChar, 255, lots)
                            .in("d3", adInteger, 0, val_fijo)
                            .exec();
    return r.ok && app.flg_nocox == 0;
}
