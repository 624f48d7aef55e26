#include "procs_users.h"

UsrList dspusr(App& app, const QString& cod_ven, const QString& num_hdd)
{
    const db::Reply r = app.proc(QStringLiteral("dspusr"))
                            .in(QStringLiteral("p1"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p2"), db::adChar, 10, num_hdd)
                            .exec();
    UsrList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        UsrRow row;
        row.iduser = rs.field(QStringLiteral("iduser"));
        rs.read_text(QStringLiteral("logusr"), row.logusr);
        rs.read_text(QStringLiteral("pwdusr"), row.pwdusr);
        l.rows << row;
    }
    return l;
}

UsrAnswer actusr(App& app, const QString& op, const QString& logusr, const QVariant& pwdusr,
                 const QVariant& cod_ven, const QVariant& caja, const QString& num_hdd)
{
    const db::Reply r = app.proc(QStringLiteral("actusr"))
                            .ret(QStringLiteral("p0"), db::adTinyInt)
                            .in(QStringLiteral("p1"), db::adChar, 1, op)
                            .in(QStringLiteral("p2"), db::adChar, 10, logusr)
                            .in(QStringLiteral("p3"), db::adChar, 10, pwdusr)
                            .in(QStringLiteral("p4"), db::adChar, 3, cod_ven)
                            .in(QStringLiteral("p5"), db::adChar, 2, caja)
                            .in(QStringLiteral("p6"), db::adChar, 10, num_hdd)
                            .exec();
    return UsrAnswer{r.ok, int(r.status(-1))};
}

MapList getmap(App& app, const QString& logusr)
{
    const db::Reply r = app.proc(QStringLiteral("getmap")).in(QStringLiteral("d1"), db::adChar, 10, logusr).exec();
    MapList l;
    l.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next()) {
        QString code;
        rs.read_text(QStringLiteral("codmnu"), code);
        l.codes << code;
    }
    return l;
}

bool delmap(App& app, const QString& logusr)
{
    return app.proc(QStringLiteral("delmap")).in(QStringLiteral("d1"), db::adChar, 10, logusr).exec().ok;
}

bool actmap(App& app, const QString& logusr, const QString& codmnu)
{
    return app.proc(QStringLiteral("actmap"))
        .in(QStringLiteral("d1"), db::adChar, 10, logusr)
        .in(QStringLiteral("d2"), db::adChar, 3, codmnu)
        .exec()
        .ok;
}
