#include "procs.h"
#include "core/shared/server_date.h"

bool stacox(App& app)
{
    return db::Proc(app.rule(), app.cmd_stacox, QStringLiteral("stacox")).ret(QStringLiteral("t0")).once();
}

MenAnswer getmen(App& app, const QString& cod_ven)
{
    MenAnswer a;
    a.ok = db::Proc(app.rule(), app.cmd_getmen, QStringLiteral("getmen"))
               .out(QStringLiteral("m1"), db::adBigInt)
               .out(QStringLiteral("m2"), db::adChar, 10)
               .out(QStringLiteral("m3"), db::adChar, 5)
               .out(QStringLiteral("m4"), db::adVarChar, 500)
               .in(QStringLiteral("m5"), db::adChar, 3, cod_ven)
               .once([&](db::Reader& r) {
                   // A null value is absent: the poll keeps what it held (no message for m1).
                   a.count = r.value(db::nullable("m1", db::adBigInt));
                   a.fecha = r.value(db::nullable("m2", db::adChar));
                   a.hora = r.value(db::nullable("m3", db::adChar));
                   a.texto = r.value(db::nullable("m4", db::adVarChar));
               });
    return a;
}

MenList dstmen(App& app, const QString& cod_ven)
{
    MenList l;
    l.ok = app.proc(QStringLiteral("dstmen")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec([&](db::Reader& r) {
        // Shown only, as the server sent them: a null shows empty, a date as the listings show
        // dates. An answer without a result set has no messages, as one without rows.
        const QList<db::Field> columns{db::shown_date("fecmov", true), db::nullable("hormov", db::adChar, QString()),
                                       db::nullable("texto", db::adVarChar, QString())};
        for (const db::Row& row : r.rows(columns, db::Set::optional))
            l.rows << MenRow{date_text(row.value("fecmov"), QStringLiteral("dd-MM-yyyy")), row.text("hormov"),
                             row.text("texto")};
    });
    return l;
}
