#include "procs.h"

namespace sp {

namespace {

using db::adChar;
using db::adDate;
using db::adSmallInt;
using db::adVarChar;

// An amount column; a null one counts as 0.
db::Field amount(const char* column) { return db::nullable(QLatin1String(column), db::adCurrency, 0.0); }

// A column the report only prints, as the server sent it: a null prints empty. A ticket
// number is no such text: a report never prints one that did not come.
db::Field shown(const char* column, int type = adVarChar)
{
    return db::nullable(QLatin1String(column), type, QString());
}
db::Field shown_day() { return db::shown_date(QStringLiteral("fecmov"), true); }

// Every row of an answer, each read with these columns; none when the call failed or could
// not be read whole.
template <class Row, class F> Rows<Row> read(db::Proc p, const QList<db::Field>& columns, F&& row)
{
    Rows<Row> out;
    out.ok = p.exec([&](db::Reader& r) {
        for (const db::Row& values : r.rows(columns))
            out.rows << row(values);
    });
    if (!out.ok)
        out.rows.clear();
    return out;
}

// The first four parameters of the report procedures.
db::Proc with_range(db::Proc p, const RepArgs& a)
{
    p.in(QStringLiteral("p1"), db::adChar, 10, a.desde)
        .in(QStringLiteral("p2"), db::adChar, 10, a.hasta)
        .in(QStringLiteral("p3"), db::adChar, 3, a.cod_ven);
    return p;
}

db::Proc with_caja(db::Proc p, const RepArgs& a)
{
    db::Proc q = with_range(p, a);
    q.in(QStringLiteral("p4"), db::adChar, 2, a.caja);
    return q;
}

} // namespace

Rows<QString> getcaj(App& app, const QString& cod_ven)
{
    return read<QString>(app.proc(QStringLiteral("getcaj")).in(QStringLiteral("p1"), adChar, 3, cod_ven),
                         {{"iduser", adChar}}, [](const db::Row& r) { return r.text("iduser"); });
}

Rows<SaleRow> repvtq(App& app, const RepArgs& a)
{
    return read<SaleRow>(with_caja(app.proc(QStringLiteral("repvtq")), a),
                         {shown_day(), shown("iduser", adChar), amount("total")}, [](const db::Row& r) {
                             return SaleRow{r.value("fecmov"), r.text("iduser"), r.number("total")};
                         });
}

Rows<AnnulRow> reptan(App& app, const RepArgs& a)
{
    return read<AnnulRow>(with_caja(app.proc(QStringLiteral("reptan")), a),
                          {{"numtik", adVarChar}, shown("iduser", adChar), shown("hormov"), amount("total")},
                          [](const db::Row& r) {
                              return AnnulRow{r.text("numtik"), r.text("iduser"), r.text("hormov"), r.number("total")};
                          });
}

Rows<TaxRow> repitx(App& app, const RepArgs& a)
{
    return read<TaxRow>(with_caja(app.proc(QStringLiteral("repitx")), a),
                        {shown_day(), shown("iduser", adChar), amount("impuesto")}, [](const db::Row& r) {
                            return TaxRow{r.value("fecmov"), r.text("iduser"), r.number("impuesto")};
                        });
}

Rows<PaidRow> reptaq(App& app, const RepArgs& a)
{
    db::Proc p = with_caja(app.proc(QStringLiteral("reptaq")), a);
    p.in(QStringLiteral("p5"), db::adInteger, 0, 5);
    return read<PaidRow>(p, {{"numtik", adVarChar}, shown("iduser", adChar), shown("paghor"), amount("premio")},
                         [](const db::Row& r) {
                             return PaidRow{r.text("numtik"), r.text("iduser"), r.text("paghor"), r.number("premio")};
                         });
}

Rows<ResultRow> reprtq(App& app, const RepArgs& a, int status)
{
    db::Proc p = with_caja(app.proc(QStringLiteral("reprtq")), a);
    p.in(QStringLiteral("p5"), db::adInteger, 0, status);
    return read<ResultRow>(
        p, {{"numtik", adVarChar}, shown("iduser", adChar), amount("total"), amount("premio"), {"pagado", adSmallInt}},
        [](const db::Row& r) {
            return ResultRow{r.text("numtik"), r.text("iduser"), r.number("total"), r.number("premio"),
                             int(r.whole("pagado"))};
        });
}

Rows<QString> dspsrx(App& app, const QString& cod_ven)
{
    return read<QString>(app.proc(QStringLiteral("dspsrx")).in(QStringLiteral("x1"), adChar, 3, cod_ven),
                         {{"nomlot", adVarChar}}, [](const db::Row& r) { return r.text("nomlot"); });
}

Rows<BankRow> reprbx(App& app, const RepArgs& a, const QString& lottery, int modo)
{
    db::Proc p = with_range(app.proc(QStringLiteral("reprbx")), a);
    p.in(QStringLiteral("p4"), adVarChar, 15, lottery).in(QStringLiteral("p5"), db::adInteger, 0, modo);
    return read<BankRow>(
        p,
        {{"xcontrol", adSmallInt}, shown("xloteria"), amount("xmonto"), amount("xcomision"), amount("xpremio")},
        [](const db::Row& r) {
            return BankRow{int(r.whole("xcontrol")), r.text("xloteria"), r.number("xmonto"), r.number("xcomision"),
                           r.number("xpremio")};
        });
}

Rows<reg_cta> replut(App& app, const QString& desde, const QString& hasta, const QString& cod_ven)
{
    db::Proc p = app.proc(QStringLiteral("replut"));
    p.in(QStringLiteral("p1"), adDate, 0, desde).in(QStringLiteral("p2"), adDate, 0, hasta).in(QStringLiteral("p3"), adChar, 3, cod_ven);
    return read<reg_cta>(p,
                         {shown_day(), amount("deuda"), amount("cuenta"), amount("movimiento"),
                          amount("deposito"), amount("total")},
                         [](const db::Row& r) {
                             return reg_cta{r.value("fecmov"),       r.number("deuda"),    r.number("cuenta"),
                                            r.number("movimiento"), r.number("deposito"), r.number("total")};
                         });
}

} // namespace sp
