#include "procs_users.h"

UsrList dspusr(App& app, const QString& cod_ven, const QString& num_hdd)
{
    UsrList l;
    l.ok = app.proc(QStringLiteral("dspusr"))
               .in(QStringLiteral("p1"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p2"), db::adChar, 10, num_hdd)
               .exec([&](db::Reader& r) {
                   // A user without a caja is never listed; a null name or password shows empty.
                   const QList<db::Field> columns{db::nullable("iduser", db::adChar),
                                                  db::nullable("logusr", db::adChar, QString()),
                                                  db::nullable("pwdusr", db::adChar, QString())};
                   for (const db::Row& row : r.rows(columns))
                       l.rows << UsrRow{row.value("iduser"), row.text("logusr"), row.text("pwdusr")};
               });
    return l;
}

UsrAnswer actusr(App& app, const QString& op, const QString& logusr, const QVariant& pwdusr,
                 const QVariant& cod_ven, const QVariant& caja, const QString& num_hdd)
{
    UsrAnswer a;
    a.ok = app.proc(QStringLiteral("actusr"))
               .ret(QStringLiteral("p0"), db::adTinyInt)
               .in(QStringLiteral("p1"), db::adChar, 1, op)
               .in(QStringLiteral("p2"), db::adChar, 10, logusr)
               .in(QStringLiteral("p3"), db::adChar, 10, pwdusr)
               .in(QStringLiteral("p4"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p5"), db::adChar, 2, caja)
               .in(QStringLiteral("p6"), db::adChar, 10, num_hdd)
               .exec([&](db::Reader& r) { a.code = int(r.whole("p0", db::adTinyInt)); });
    return a;
}

MapList getmap(App& app, const QString& logusr)
{
    MapList l;
    l.ok = app.proc(QStringLiteral("getmap")).in(QStringLiteral("d1"), db::adChar, 10, logusr).exec([&](db::Reader& r) {
        for (const db::Row& row : r.rows({{"codmnu", db::adChar}}))
            l.codes << row.text("codmnu");
    });
    return l;
}

bool delmap(App& app, const QString& logusr)
{
    return app.proc(QStringLiteral("delmap")).in(QStringLiteral("d1"), db::adChar, 10, logusr).exec();
}

bool actmap(App& app, const QString& logusr, const QString& codmnu)
{
    return app.proc(QStringLiteral("actmap"))
        .in(QStringLiteral("d1"), db::adChar, 10, logusr)
        .in(QStringLiteral("d2"), db::adChar, 3, codmnu)
        .exec();
}
