#pragma once
// Stored procedures of the ticket services: a ticket's header before its annulment and the
// last ticket of a caja. The annulment itself is the ticket cycle's anutix
// (sale/ticket/procs.h). Every call runs under the reconnect rule; nothing is read unless ok.
#include "core/app/app.h"

// dsptik: the ticket's status (1 unknown, 2 or 4 processed, 3 annulled, 5 not to be
// annulled, other: no objection) and its header; empty texts when no row came.
struct TikHeader {
    bool ok = false;
    int code = -1;
    QString fecmov, codven, iduser, total;  // total: a stored amount
};
TikHeader dsptik(App& app, qint64 numtik);

// dsputk: the number of the last ticket the caja sold; 0 or less when there is none.
struct LastTicket {
    bool ok = false;
    qint64 numtik = 0;
};
LastTicket dsputk(App& app, const QString& cod_ven, const QString& cod_caj);
