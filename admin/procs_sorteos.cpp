#include "procs_sorteos.h"
#include "core/shared/justify.h"

namespace {

// A lottery code the save can send back: it sends the code trimmed, into a parameter of
// three characters.
bool lottery_code(const QVariant& v)
{
    return trim_blanks(v.toString()).size() <= 3;
}

} // namespace

SrtList dsxsrt(App& app, const QString& cod_ven)
{
    SrtList l;
    l.ok = app.proc(QStringLiteral("dsxsrt")).in(QStringLiteral("d1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        // Any state is placed: 0 offered, every other switched off.
        const QList<db::Field> columns{
            db::placed({"codlot", db::adChar}, lottery_code), {"nomlot", db::adVarChar}, {"stasrt", db::adSmallInt}};
        for (const db::Row& row : r.rows(columns))
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
