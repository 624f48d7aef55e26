#include "procs_users.h"
#include "placed.h"

namespace {

// A user name the windows send back as they read it: the delete as listed, into a
// parameter of 10 characters; the modify and the permissions trimmed, which names the same
// user only when the name begins with no blank.
bool user_name(const QVariant& v)
{
    const QString name = v.toString();
    return name.size() <= 10 && !name.startsWith(u' ');
}

// A caja the modify sends back as it came: trimmed and filled with "0" to two characters,
// which leaves only a caja of two characters, neither of them a blank, unchanged.
bool caja(const QVariant& v)
{
    const QString c = v.toString();
    return c.size() == 2 && c[0] != u' ' && c[1] != u' ';
}

// A menu code as the server keeps them: three ASCII digits. A code of another form (another
// length, a sign, blanks, letters or digits of another script) could neither be told from
// one of this program's codes nor stored back as it came.
bool menu_code(const QVariant& v)
{
    const QString code = v.toString();
    return code.size() == 3 && digits(code);
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
        for (const db::Row& row : r.rows({db::placed({"codmnu", db::adChar}, menu_code)}))
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
