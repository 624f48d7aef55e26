#include "procs_sorteos.h"
#include "placed.h"

namespace {

// A lottery code the save sends back as it came: once the blanks that fill its column go,
// one to three ASCII letters and digits. The save trims the code, so a blank before it
// would name another code; a longer one does not fit the parameter; a character of another
// kind (a sign, a blank inside, another alphabet) is of no code's form, and may not travel
// through the server's character set unchanged.
bool lottery_code(const QVariant& v)
{
    const QString code = unfilled(v.toString());
    return code.size() <= 3 && letters_digits(code);
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
