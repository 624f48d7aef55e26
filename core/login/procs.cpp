#include "procs.h"

// The login's answers keep the login's own rules: a return status that did not come reads as
// -1, an answer may come without rows, and a null name or value is read as the rules of
// each procedure below say.

CoxAnswer getcox(App& app, const QString& num_hdd, const QString& cod_dtbs)
{
    CoxAnswer a;
    a.ok = app.proc(QStringLiteral("getcox"))
               .ret(QStringLiteral("d0"))
               .in(QStringLiteral("d1"), db::adVarChar, 10, num_hdd)
               .in(QStringLiteral("d2"), db::adVarChar, 15, cod_dtbs)
               .once([&](db::Reader& r) {
                   // A row without a name is no row of these; a null value sets nothing.
                   const QList<db::Field> columns{db::nullable("name", db::adVarChar, QString()),
                                                  db::nullable("value", db::adVarChar)};
                   for (const db::Row& row : r.rows(columns, db::Set::optional)) {
                       const QString name = row.text("name");
                       QString* into = name == QLatin1String("server_ip")     ? &a.server_ip
                                       : name == QLatin1String("server_port") ? &a.server_port
                                       : name == QLatin1String("databs")      ? &a.databs
                                       : name == QLatin1String("app_numver")  ? &a.app_numver
                                       : name == QLatin1String("ipnet")       ? &a.ipnet
                                                                              : nullptr;
                       if (into && row.has("value"))
                           *into = row.text("value");
                   }
                   a.code = int(r.value(db::nullable("d0", db::adInteger, -1)).toLongLong());
               });
    return a;
}

UtqAnswer getutq(App& app, const QString& user, const QString& password, const QString& num_hdd,
                 const QString& version, const QString& ip_net)
{
    UtqAnswer a;
    a.ok = app.proc(QStringLiteral("getutq"))
               .ret(QStringLiteral("d0"))
               .in(QStringLiteral("d1"), db::adVarChar, 10, user)
               .in(QStringLiteral("d2"), db::adVarChar, 10, password)
               .in(QStringLiteral("d3"), db::adVarChar, 10, num_hdd)
               .in(QStringLiteral("d4"), db::adVarChar, 8, version)
               .in(QStringLiteral("d5"), db::adVarChar, 15, ip_net)
               .once([&](db::Reader& r) {
                   // A null name or value reads as empty.
                   const QList<db::Field> columns{db::nullable("nombre", db::adVarChar, QString()),
                                                  db::nullable("valor", db::adVarChar, QString())};
                   for (const db::Row& row : r.rows(columns, db::Set::optional)) {
                       a.nombre << row.text("nombre");
                       a.valor << row.text("valor");
                   }
                   a.code = int(r.value(db::nullable("d0", db::adInteger, -1)).toLongLong());
               });
    return a;
}

SimAnswer getsim(App& app)
{
    SimAnswer a;
    a.ok = app.proc(QStringLiteral("getsim")).once([&](db::Reader& r) {
        // Each as text; a null one is absent. The set's number converts where it is stored.
        const QList<db::Field> columns{db::nullable("codsim", db::adVarChar), db::nullable("numero", db::adVarChar),
                                       db::nullable("nombre", db::adVarChar)};
        for (const db::Row& row : r.rows(columns, db::Set::optional))
            a.rows << SimRow{row.value("codsim"), row.value("numero"), row.value("nombre")};
    });
    return a;
}
