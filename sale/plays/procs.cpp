#include "procs.h"

namespace {

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

PlayAnswer protkx(App& app, const PlayReq& q)
{
    const QVariantList values = {q.numtik, q.lots, q.tipo, q.numero, q.monto, q.confirm, q.can_jug, q.val_fijo};
    db::Command& cmd = app.cmd_protkx;
    for (int i = 0; i < values.size(); ++i)
        cmd.set_value(QStringLiteral("x%1").arg(i + 1), values[i]);
    return answer(app, db::run_prepared(app.rule(), cmd));
}
