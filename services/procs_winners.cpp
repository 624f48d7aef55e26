#include "procs_winners.h"

PrmAnswer dstprm(App& app, const QString& fecha, const QString& cod_ven, int ord_lot)
{
    PrmAnswer a;
    a.ok = app.proc(QStringLiteral("dstprm"))
               .in(QStringLiteral("p1"), db::adChar, 10, fecha)
               .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p3"), db::adInteger, 0, ord_lot)
               .exec([&](db::Reader& r) {
                   // A lottery not drawn yet has no winning number.
                   const QList<db::Field> columns{
                       {"codlot", db::adChar},        {"nomlot", db::adVarChar},
                       db::nullable("numpre", db::adChar, QString()), {"codzod", db::adSmallInt},
                       {"codsim", db::adSmallInt},    {"codrul", db::adSmallInt},
                       {"status", db::adSmallInt}};
                   for (const db::Row& row : r.rows(columns)) {
                       PrmRow p;
                       p.codlot = row.text("codlot");
                       p.nomlot = row.text("nomlot");
                       split_numpre(row.text("numpre"), p.numero, p.signo);
                       p.codsim = int(row.whole("codsim"));
                       p.codrul = int(row.whole("codrul"));
                       p.codzod = int(row.whole("codzod"));
                       p.status = int(row.whole("status"));
                       a.rows << p;
                   }
               });
    return a;
}
