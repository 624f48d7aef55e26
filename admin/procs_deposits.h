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
// The longest amount text the deposit dialog's amount field holds.
constexpr int kMontoLength = 15;
// The text of a deposit's amount as the list shows it and the dialog starts with.
QString dpo_monto_text(const MonCtx& c, qint64 monto);

// dspdpo: the outlet's deposits in the server's order. A deposit the list and its dialog
// could not send back as it came makes the answer unreadable: a date outside the years 1
// to 9999, an account code of more than three characters or a number of more than 10
// (each once its fill goes), an amount whose text the dialog's amount field does not hold.
struct DpoList {
    bool ok = false;
    QList<DpoRow> rows;
};
DpoList dspdpo(App& app, const QString& cod_ven);

// dspcdp: the outlet's bank accounts, code and name; a code the include could not send
// back (other than one to three characters once its fill goes) makes the answer
// unreadable. A code of one character comes with one blank after it.
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
