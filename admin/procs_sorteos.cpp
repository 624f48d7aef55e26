#include "procs_sorteos.h"

SrtList dsxsrt(App& app, const QString& cod_ven)
{
    const db::Reply r = app.proc(QStringLiteral("dsxsrt")).in(QStringLiteral("d1"), db::adChar, 3, cod_ven).exec();
    SrtList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        SrtRow row;
        rs.read_text(QStringLiteral("codlot"), row.codlot);
        rs.read_text(QStringLiteral("nomlot"), row.nomlot);
        row.stasrt = rs.field(QStringLiteral("stasrt")).toInt();
        l.rows << row;
    }
    return l;
}

bool delsrt(App& app, const QString& cod_ven)
{
    return app.proc(QStringLiteral("delsrt")).in(QStringLiteral("d1"), db::adChar, 3, cod_ven).exec().ok;
}

bool actsrt(App& app, const QString& cod_ven, const QString& codlot)
{
    return app.proc(QStringLiteral("actsrt"))
        .in(QStringLiteral("d1"), db::adChar, 3, cod_ven)
        .in(QStringLiteral("d2"), db::adChar, 3, codlot)
        .exec()
        .ok;
}
