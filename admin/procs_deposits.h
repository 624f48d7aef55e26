#pragma once
// The stored procedures of the outlet's bank deposits and bank accounts.
#include "core/app/app.h"

// One deposit as the server sends it: the date (with its time when one came), the account,
// the number and the amount in stored units.
struct DpoRow {
    QVariant fecmov;
    QString codbco;
    QString numero;
    qint64 monto = 0;
};
// dspdpo: the outlet's deposits in the server's order.
struct DpoList {
    bool ok = false;
    QList<DpoRow> rows;
};
DpoList dspdpo(App& app, const QString& cod_ven);

// dspcdp: the outlet's bank accounts, code and name.
struct CdpList {
    bool ok = false;
    QList<QPair<QString, QString>> rows;
};
CdpList dspcdp(App& app, const QString& cod_ven);

// actdpo: includes ("1"), modifies ("2") or deletes ("3") one deposit, given by its date
// ("yyyy-mm-dd"), account, number and amount. The answer: 1 incomplete data, 2 the deposit
// exists, 3 it is processed already; any other value done.
struct DpoAnswer {
    bool ok = false;
    int code = -1;
};
DpoAnswer actdpo(App& app, const QString& op, const QString& fecha, const QString& cod_ven, const QString& codbco,
                 const QString& numero, qint64 monto);
