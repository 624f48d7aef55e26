#pragma once
// Stored procedures of the ticket cycle that other windows call too: the outlet's
// parameters (the parameters window), the annulment of a ticket (the annulment window
// and the ticket inquiry) and the plays of a ticket (the ticket inquiry and the duplicate-
// ticket dialog).
#include "core/app/app.h"

#include <QPair>

// getpaq: the outlet's parameters as name/value rows, in the server's order.
struct ParamRows {
    bool ok = false;
    QList<QPair<QString, QString>> rows;  // a null name or value reads as ""
};
// On the shared command, the parameter named x1.
ParamRows getpaq(App& app, const QString& cod_ven);
// On a command prepared once with its one parameter (the sale window's cmd_getpaq, q1):
// sets its value and runs it, leaving the parameter in place.
ParamRows getpaq(App& app, db::Command& prepared, const QString& cod_ven);

// The sale limits of those rows: each of the nine keys of lim_vta takes the value of its
// last row (exact, case-sensitive keys); a key without a row keeps its value.
void read_limits(LimVta& lim, const ParamRows& rows);

// anutix: annuls a ticket of the outlet for a caja ("**" from the sale window). code is
// the return status: 0 annulled, anything else not (-1 when none came).
struct AnnulAnswer {
    bool ok = false;
    int code = -1;
};
AnnulAnswer anutix(App& app, qint64 numtik, const QString& cod_ven, const QString& caja);

// dettix: the play lines of a ticket (none for an unknown ticket).
struct PlayRow {
    QString nomlot, codsim, codzod, tipnum, numero;
    QString monto;          // a stored amount
};
struct PlayRows {
    bool ok = false;
    QList<PlayRow> rows;
};
PlayRows dettix(App& app, qint64 numtik);
