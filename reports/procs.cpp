#include "procs.h"

namespace sp {

namespace {

QString text(const db::Recordset& rs, const char* column) { return rs.field(QLatin1String(column)).toString(); }
// An amount field; a null or missing one counts as 0.
double amount(const db::Recordset& rs, const char* column) { return rs.field(QLatin1String(column)).toDouble(); }

// Every row of an answer, read by row; none when the call failed.
template <class Row, class F> Rows<Row> read(const db::Reply& r, F&& row)
{
    Rows<Row> out;
    out.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next())
        out.rows << row(rs);
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

SaleRow sale_row(const db::Recordset& rs) { return {rs.field(QStringLiteral("fecmov")), text(rs, "iduser"), amount(rs, "total")}; }

} // namespace

Rows<QString> getcaj(App& app, const QString& cod_ven)
{
    return read<QString>(app.proc(QStringLiteral("getcaj")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec(),
                         [](const db::Recordset& rs) { return text(rs, "iduser"); });
}

Rows<SaleRow> repvtq(App& app, const RepArgs& a)
{
    return read<SaleRow>(with_caja(app.proc(QStringLiteral("repvtq")), a).exec(), sale_row);
}

Rows<AnnulRow> reptan(App& app, const RepArgs& a)
{
    return read<AnnulRow>(with_caja(app.proc(QStringLiteral("reptan")), a).exec(), [](const db::Recordset& rs) {
        return AnnulRow{text(rs, "numtik"), text(rs, "iduser"), text(rs, "hormov"), amount(rs, "total")};
    });
}

Rows<TaxRow> repitx(App& app, const RepArgs& a)
{
    return read<TaxRow>(with_caja(app.proc(QStringLiteral("repitx")), a).exec(), [](const db::Recordset& rs) {
        return TaxRow{rs.field(QStringLiteral("fecmov")), text(rs, "iduser"), amount(rs, "impuesto")};
    });
}

Rows<PaidRow> reptaq(App& app, const RepArgs& a)
{
    db::Proc p = with_caja(app.proc(QStringLiteral("reptaq")), a);
    p.in(QStringLiteral("p5"), db::adInteger, 0, 5);
    return read<PaidRow>(p.exec(), [](const db::Recordset& rs) {
        return PaidRow{text(rs, "numtik"), text(rs, "iduser"), text(rs, "paghor"), amount(rs, "premio")};
    });
}

Rows<ResultRow> reprtq(App& app, const RepArgs& a, int status)
{
    db::Proc p = with_caja(app.proc(QStringLiteral("reprtq")), a);
    p.in(QStringLiteral("p5"), db::adInteger, 0, status);
    return read<ResultRow>(p.exec(), [](const db::Recordset& rs) {
        return ResultRow{text(rs, "numtik"), text(rs, "iduser"), amount(rs, "total"), amount(rs, "premio"),
                         rs.field(QStringLiteral("pagado")).toInt()};
    });
}

Rows<QString> dspsrx(App& app, const QString& cod_ven)
{
    return read<QString>(app.proc(QStringLiteral("dspsrx")).in(QStringLiteral("x1"), db::adChar, 3, cod_ven).exec(),
                         [](const db::Recordset& rs) { return text(rs, "nomlot"); });
}

Rows<BankRow> reprbx(App& app, const RepArgs& a, const QString& lottery, int modo)
{
    db::Proc p = with_range(app.proc(QStringLiteral("reprbx")), a);
    p.in(QStringLiteral("p4"), db::adVarChar, 15, lottery).in(QStringLiteral("p5"), db::adInteger, 0, modo);
    return read<BankRow>(p.exec(), [](const db::Recordset& rs) {
        return BankRow{rs.field(QStringLiteral("xcontrol")).toInt(), text(rs, "xloteria"), amount(rs, "xmonto"),
                       amount(rs, "xcomision"), amount(rs, "xpremio")};
    });
}

Rows<reg_cta> replut(App& app, const QString& desde, const QString& hasta, const QString& cod_ven)
{
    const db::Reply r = app.proc(QStringLiteral("replut"))
                            .in(QStringLiteral("p1"), db::adDate, 0, desde)
                            .in(QStringLiteral("p2"), db::adDate, 0, hasta)
                            .in(QStringLiteral("p3"), db::adChar, 3, cod_ven)
                            .exec();
    return read<reg_cta>(r, [](const db::Recordset& rs) {
        return reg_cta{rs.field(QStringLiteral("fecmov")), amount(rs, "deuda"),    amount(rs, "cuenta"),
                       amount(rs, "movimiento"),           amount(rs, "deposito"), amount(rs, "total")};
    });
}

} // namespace sp
