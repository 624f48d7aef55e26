#pragma once
// The login's stored procedures, each tried once.
#include "core/app/app.h"

// getcox: the outlet's server, port and database and the newest program version for a
// terminal and a database code. A row missing or null leaves its value empty.
struct CoxAnswer {
    bool ok = false;      // the call went through
    int code = -1;        // the return status; -1 when none came
    QString server_ip, server_port, databs, app_numver, ipnet;
};
CoxAnswer getcox(App& app, const QString& num_hdd, const QString& cod_dtbs);

// getutq: the cashier's check; the login values come as name/value rows.
struct UtqAnswer {
    bool ok = false;
    int code = -1;        // the return status; -1 when none came
    QStringList nombre, valor;
};
UtqAnswer getutq(App& app, const QString& user, const QString& password, const QString& num_hdd,
                 const QString& version, const QString& ip_net);

// getsim: the symbol sets, one row per symbol; a null field is an absent value.
struct SimRow {
    QVariant codsim, numero, nombre;
};
struct SimAnswer {
    bool ok = false;
    QList<SimRow> rows;
};
SimAnswer getsim(App& app);
