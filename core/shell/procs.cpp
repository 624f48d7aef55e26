#include "procs.h"

bool stacox(App& app)
{
    return db::Proc(app.rule(), app.cmd_stacox, QStringLiteral("stacox")).ret(QStringLiteral("t0")).once().ok;
}

MenAnswer getmen(App& app, const QString& cod_ven)
{
    const db::Reply r = db::Proc(app.rule(), app.cmd_getmen, QStringLiteral("getmen"))
                            .out(QStringLiteral("m1"), db::adBigInt)
                            .out(QStringLiteral("m2"), db::adChar, 10)
                            .out(QStringLiteral("m3"), db::adChar, 5)
                            .out(QStringLiteral("m4"), db::adVarChar, 500)
                            .in(QStringLiteral("m5"), db::adChar, 3, cod_ven)
                            .once();
    MenAnswer a;
    a.ok = r.ok;
    a.count = r.value(QStringLiteral("m1"));
    a.fecha = r.value(QStringLiteral("m2"));
    a.hora = r.value(QStringLiteral("m3"));
    a.texto = r.value(QStringLiteral("m4"));
    return a;
}

MenList dstmen(App& app, const QString& cod_ven)
{
    const db::Reply r = app.proc(QStringLiteral("dstmen")).in(QStringLiteral("p1"), db::adChar, 3, cod_ven).exec();
    MenList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        MenRow row;
        rs.read_text(QStringLiteral("fecmov"), row.fecmov);
        rs.read_text(QStringLiteral("hormov"), row.hormov);
        rs.read_text(QStringLiteral("texto"), row.texto);
        l.rows << row;
    }
    return l;
}
