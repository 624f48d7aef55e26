#include "procs_deposits.h"
#include "placed.h"
#include "core/shared/whole.h"

namespace {

// An account code the delete and the modify send back: once the blanks that fill its column
// go, at most three characters.
bool deposit_bank(const QVariant& v)
{
    return unfilled(v.toString()).size() <= 3;
}

// An account code the include sends back: it takes the first three characters of the
// account's entry "code - name", which give the code once its fill goes only for a code of
// one to three characters (one of a single character is filled, below).
bool account_code(const QVariant& v)
{
    const QString code = unfilled(v.toString());
    return !code.isEmpty() && code.size() <= 3;
}

// A deposit number the delete and the modify send back: at most 10 characters once its
// fill goes.
bool deposit_number(const QVariant& v)
{
    return unfilled(v.toString()).size() <= 10;
}

// A date the delete and the modify write "yyyy-mm-dd", in ten characters.
bool deposit_date(const QVariant& v)
{
    const QDate d = v.metaType().id() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
    return d.isValid() && d.year() >= 1 && d.year() <= 9999;
}

} // namespace

QString dpo_monto_text(const MonCtx& c, qint64 monto)
{
    return mon_showsys(c, double(monto));
}

DpoList dspdpo(App& app, const QString& cod_ven)
{
    DpoList l;
    // An amount, with its sign, whose text the deposit dialog's field holds.
    const auto amount = [mon = app.mon()](const QVariant& v) {
        const std::optional<qint64> units = round_whole(v.toDouble());
        return units && dpo_monto_text(mon, *units).size() <= kMontoLength;
    };
    l.ok = app.proc(QStringLiteral("dspdpo")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        const QList<db::Field> columns{db::placed({"fecmov", db::adDate}, deposit_date),
                                       db::placed({"codbco", db::adChar}, deposit_bank),
                                       db::placed({"numero", db::adChar}, deposit_number),
                                       db::placed({"monto", db::adCurrency}, amount)};
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
        // A code of one character without the blank its column fills it with is given it, so
        // that the entry's first three characters name the code.
        for (const db::Row& row : r.rows({db::placed({"codbco", db::adChar}, account_code), {"nombco", db::adVarChar}}))
            l.rows << qMakePair(row.text("codbco").leftJustified(2), row.text("nombco"));
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
