#pragma once
// Stored procedures of the ticket services: a ticket's header before its annulment, the
// last ticket of a caja, a ticket by its serial before its payment, the payment, the
// tickets of a day. The annulment itself (anutix) and the plays of a ticket (dettix) are
// the ticket cycle's (sale/ticket/procs.h). Every call runs under the reconnect rule; nothing is read
// unless ok.
#include "sale/ticket/procs.h"

#include <QList>

// dsptik: the ticket's status (1 unknown, 2 or 4 processed, 3 annulled, 5 not to be
// annulled, other: no objection) and, when it raises no objection, its header: empty texts
// when no row came.
struct TikHeader {
    bool ok = false;
    int code = -1;
    QString fecmov, codven, iduser, total;  // total: a stored amount
};
TikHeader dsptik(App& app, qint64 numtik);

// dsputk: the number of the last ticket the caja sold; 0 or less when there is none (a
// null number is none).
struct LastTicket {
    bool ok = false;
    qint64 numtik = 0;
};
LastTicket dsputk(App& app, const QString& cod_ven, const QString& cod_caj);

// dsptix: the status of a ticket found by its serial (1 unknown, 3 annulled, 4 paid,
// 5 expired, 2 processed, other: not processed); for a paid or processed one its sale data
// (empty texts when no row came), and for a processed one the key that pays it: an answer
// without the key cannot be read.
struct TixHeader : TikHeader {
    QString key;
    QString premio;  // a stored amount
};
TixHeader dsptix(App& app, const QString& serial);

// pagtix: pays the ticket of that key for the outlet and caja; code 0 when registered.
// The two further inputs go as twelve blanks and as no value.
struct PayAnswer {
    bool ok = false;
    int code = -1;
};
PayAnswer pagtix(App& app, const QString& key, const QString& cod_ven, const QString& cod_caj);

// contik: the tickets of a date ("yyyy-mm-dd") for the outlet and caja, as the server
// orders them.
struct TicketRow {
    QString numtik, iduser, hormov;
    int status = 0;         // 0 valid, other annulled
    QString total;          // a stored amount
};
struct TicketRows {
    bool ok = false;
    QList<TicketRow> rows;
};
TicketRows contik(App& app, const QString& fecha, const QString& cod_ven, const QString& cod_caj);

