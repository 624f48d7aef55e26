#pragma once
// The stored procedures of the reports, one function each, under the call rule on the
// shared command. Nothing is read from a call that failed (ok false). They live in their own
// namespace: three of them bear the names of the report windows.
#include "lines.h"
#include "core/app/app.h"

namespace sp {

template <class Row> struct Rows {
    bool ok = false;
    QList<Row> rows;
};

// The filters of the report procedures: first and last day as "yyyy-mm-dd", the outlet and a
// caja of two characters (two blanks: every caja).
struct RepArgs {
    QString desde, hasta, cod_ven, caja;
};

// getcaj: p1 outlet -> the cajas of the outlet (iduser), in the server's order.
Rows<QString> getcaj(App& app, const QString& cod_ven);
// repvtq: the sales by day and caja.
Rows<SaleRow> repvtq(App& app, const RepArgs& a);
// reptan: the annulled tickets.
Rows<AnnulRow> reptan(App& app, const RepArgs& a);
// repitx: the municipal tax by day and caja.
Rows<TaxRow> repitx(App& app, const RepArgs& a);
// reptaq: the prizes a caja paid; p5 is always 5.
Rows<PaidRow> reptaq(App& app, const RepArgs& a);

} // namespace sp
