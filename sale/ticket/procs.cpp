#include "procs.h"

namespace {

ParamRows param_rows(const db::Reply& r)
{
    ParamRows p;
    p.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next())
        p.rows.append({rs.field(QStringLiteral("nombre")).toString(), rs.field(QStringLiteral("valor")).toString()});
    return p;
}

} // namespace

ParamRows getpaq(App& app, const QString& cod_ven)
{
    return param_rows(app.proc(QStringLiteral("getpaq")).in(QStringLiteral("x1"), db::adVarChar, 3, cod_ven).exec());
}

ParamRows getpaq(App& app, db::Command& prepared, const QString& cod_ven)
{
    prepared.command_text = QStringLiteral("getpaq");
    prepared.set_value(QStringLiteral("q1"), cod_ven);
    return param_rows(db::run_prepared(app.rule(), prepared));
}

void read_limits(LimVta& lim, const ParamRows& rows)
{
    const std::pair<const char*, QString LimVta::*> keys[] = {
        {"TVENCE_TIK", &LimVta::dia_vence}, {"JUGADA_MIN", &LimVta::jug_min}, {"JUGADA_MIZ", &LimVta::jug_miz},
        {"JUGADA_MIS", &LimVta::jug_mis},   {"JUGADA_MAX", &LimVta::jug_max}, {"JUGADA_MAZ", &LimVta::jug_maz},
        {"JUGADA_MAS", &LimVta::jug_mas},   {"VENTIK_MIN", &LimVta::vta_min}, {"VENTIK_MAX", &LimVta::vta_max},
    };
    for (const auto& [name, value] : rows.rows)
        for (const auto& [key, member] : keys)
            if (name == QLatin1String(key))
                lim.*member = value;
}

AnnulAnswer anutix(App& app, qint64 numtik, const QString& cod_ven, const QString& caja)
{
    const db::Reply r = app.proc(QStringLiteral("anutix"))
                            .ret(QStringLiteral("d0"))
                            .in(QStringLiteral("d1"), db::adBigInt, 0, numtik)
                            .in(QStringLiteral("d2"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("d3"), db::adChar, 2, caja)
                            .exec();
    return {r.ok, int(r.status(-1))};
}

PlayRows dettix(App& app, qint64 numtik)
{
    const db::Reply r = app.proc(QStringLiteral("dettix")).in(QStringLiteral("p1"), db::adBigInt, 0, numtik).exec();
    PlayRows out;
    out.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        PlayRow p;
        rs.read_text(QStringLiteral("nomlot"), p.nomlot);
        rs.read_text(QStringLiteral("codsim"), p.codsim);
        rs.read_text(QStringLiteral("codzod"), p.codzod);
        rs.read_text(QStringLiteral("tipnum"), p.tipnum);
        rs.read_text(QStringLiteral("numero"), p.numero);
        rs.read_text(QStringLiteral("monto"), p.monto);
        out.rows << p;
    }
    return out;
}
