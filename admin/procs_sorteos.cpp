#include "procs_sorteos.h"

SrtList dsxsrt(App& app, const QString& cod_ven)
{
    SrtList l;
    l.ok = app.proc(QStringLiteral("dsxsrt")).in(QStringLiteral("d1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        for (const db::Row& row : r.rows({{"codlot", db::adChar}, {"nomlot", db::adVarChar}, {"stasrt", db::adSmallInt}}))
            l.rows << SrtRow{row.text("codlot"), row.text("nomlot"), int(row.whole("stasrt"))};
    });
    return l;
}

bool delsrt(App& app, const QString& cod_ven)
{
    return app.proc(QStringLiteral("delsrt")).in(QStringLiteral("d1"), db::adChar, 3, cod_ven).exec();
}

bool actsrt(App& app, const QString& cod_ven, const QString& codlot)
{
    return app.proc(QStringLiteral("actsrt"))
        .in(QStringLiteral("d1"), db::adChar, 3, cod_ven)
        .in(QStringLiteral("d2"), db::adChar, 3, codlot)
        .exec();
}
