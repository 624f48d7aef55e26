#include "procs_winners.h"
#include "core/db/values.h"

#include <limits>

namespace {

// A 16-bit whole number, absent when the field is missing, null or does not convert.
std::optional<int> small_int(const db::Recordset& rs, const QString& column)
{
    qint64 v = 0;
    const QVariant f = rs.field(column);
    if (f.isNull() || !db::to_whole(f, v) || v < std::numeric_limits<qint16>::min() ||
        v > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return int(v);
}

} // namespace

PrmAnswer dstprm(App& app, const QString& fecha, const QString& cod_ven, int ord_lot)
{
    const db::Reply r = app.proc(QStringLiteral("dstprm"))
                            .in(QStringLiteral("p1"), db::adChar, 10, fecha)
                            .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p3"), db::adInteger, 0, ord_lot)
                            .exec();
    PrmAnswer a;
    a.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        PrmRow row;
        rs.read_text(QStringLiteral("codlot"), row.codlot);
        rs.read_text(QStringLiteral("nomlot"), row.nomlot);
        QString numpre;
        rs.read_text(QStringLiteral("numpre"), numpre);
        split_numpre(numpre, row.numero, row.signo);
        row.codsim = small_int(rs, QStringLiteral("codsim"));
        row.codrul = small_int(rs, QStringLiteral("codrul"));
        row.codzod = small_int(rs, QStringLiteral("codzod"));
        row.status = small_int(rs, QStringLiteral("status"));
        a.rows << row;
    }
    return a;
}
