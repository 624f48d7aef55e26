#include "procs_users.h"
#include "placed.h"
#include "core/shared/justify.h"

namespace {

// A user name the windows can send back: the delete as listed, into a parameter of 10
// characters, which holds it once the blanks that fill its column go (a blank before it is
// part of the name, and goes back with it).
bool user_name(const QVariant& v)
{
    return unfilled(v.toString()).size() <= 10;
}

// A caja the modify can send back: trimmed and filled with "0" on the left to two
// characters ("3" goes as "03", nothing as "00"), so at most two once trimmed.
bool caja(const QVariant& v)
{
    return trim_blanks(v.toString()).size() <= 2;
}

} // namespace

UsrList dspusr(App& app, const QString& cod_ven, const QString& num_hdd)
{
    UsrList l;
    l.ok = app.proc(QStringLiteral("dspusr"))
               .in(QStringLiteral("p1"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p2"), db::adChar, 10, num_hdd)
               .exec([&](db::Reader& r) {
                   // A user without a caja is never listed; a null name or password shows empty.
                   const QList<db::Field> columns{db::placed(db::nullable("iduser", db::adChar), caja),
                                                  db::placed(db::nullable("logusr", db::adChar, QString()), user_name),
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
        .in(QStringLiteral("d2"), db::adChar, kMenuCodeSize, codmnu)
        .exec();
}
