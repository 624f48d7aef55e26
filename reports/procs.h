#pragma once
// The stored procedures of the reports, one function each, under the call rule on the
// shared command. Nothing is read from a call that failed or whose answer could not be read
// whole (ok false); a null amount counts as 0. They live in their own namespace: three of
// them bear the names of the report windows.
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
// reprtq: the winning tickets; p5 status 2 all, 1 paid prizes, 0 unpaid prizes.
Rows<ResultRow> reprtq(App& app, const RepArgs& a, int status);
// dspsrx: x1 outlet -> the names of the outlet's lotteries (nomlot).
Rows<QString> dspsrx(App& app, const QString& cod_ven);
// reprbx: the bank results; p4 a lottery name (up to 15 characters, "" for none), p5 0 by
// day or 1 by lottery. The caja of a is not sent.
Rows<BankRow> reprbx(App& app, const RepArgs& a, const QString& lottery, int modo);
// replut: the outlet's account by day; both days sent as date parameters.
Rows<reg_cta> replut(App& app, const QString& desde, const QString& hasta, const QString& cod_ven);

} // namespace sp
