#include "procs.h"

CoxAnswer getcox(App& app, const QString& num_hdd, const QString& cod_dtbs)
{
    const db::Reply r = app.proc(QStringLiteral("getcox"))
                            .ret(QStringLiteral("d0"))
                            .in(QStringLiteral("d1"), db::adVarChar, 10, num_hdd)
                            .in(QStringLiteral("d2"), db::adVarChar, 15, cod_dtbs)
                            .once();
    CoxAnswer a;
    a.ok = r.ok;
    if (!r.ok)
        return a;
    for (db::Recordset rs = r.rows; !rs.eof(); rs.move_next()) {
        QString name;
        rs.read_text(QStringLiteral("name"), name);
        QString* into = name == QLatin1String("server_ip")     ? &a.server_ip
                        : name == QLatin1String("server_port") ? &a.server_port
                        : name == QLatin1String("databs")      ? &a.databs
                        : name == QLatin1String("app_numver")  ? &a.app_numver
                        : name == QLatin1String("ipnet")       ? &a.ipnet
                                                               : nullptr;
        if (into)
            rs.read_text(QStringLiteral("value"), *into);
    }
    a.code = int(r.status(-1));
    return a;
}

UtqAnswer getutq(App& app, const QString& user, const QString& password, const QString& num_hdd,
                 const QString& version, const QString& ip_net)
{
    const db::Reply r = app.proc(QStringLiteral("getutq"))
                            .ret(QStringLiteral("d0"))
                            .in(QStringLiteral("d1"), db::adVarChar, 10, user)
                            .in(QStringLiteral("d2"), db::adVarChar, 10, password)
                            .in(QStringLiteral("d3"), db::adVarChar, 10, num_hdd)
                            .in(QStringLiteral("d4"), db::adVarChar, 8, version)
                            .in(QStringLiteral("d5"), db::adVarChar, 15, ip_net)
                            .once();
    UtqAnswer a;
    a.ok = r.ok;
    if (!r.ok)
        return a;
    for (db::Recordset rs = r.rows; !rs.eof(); rs.move_next()) {
        QString name, value;
        rs.read_text(QStringLiteral("nombre"), name);
        rs.read_text(QStringLiteral("valor"), value);
        a.nombre << name;
        a.valor << value;
    }
    a.code = int(r.status(-1));
    return a;
}

SimAnswer getsim(App& app)
{
    const db::Reply r = app.proc(QStringLiteral("getsim")).once();
    SimAnswer a;
    a.ok = r.ok;
    for (db::Recordset rs = r.rows; r.ok && !rs.eof(); rs.move_next())
        a.rows << SimRow{rs.field(QStringLiteral("codsim")), rs.field(QStringLiteral("numero")),
                         rs.field(QStringLiteral("nombre"))};
    return a;
}
