#pragma once
// Stored procedures of the ticket cycle. getpaq, anutix and dettix are called from other
// windows too: the parameters window, the annulment window, the ticket inquiry and the
// duplicate-ticket dialog.
#include "core/app/app.h"
#include "tik_cur.h"

#include <QDate>
#include <QPair>

// getpaq: the outlet's parameters as name/value rows, in the server's order.
struct ParamRows {
    bool ok = false;
    QList<QPair<QString, QString>> rows;
};
// On the shared command, the parameter named x1. check, when given, looks at the rows read
// and may refuse the answer through the reader (the parameters window's own knowledge).
using ParamCheck = std::function<void(db::Reader&, const ParamRows&)>;
ParamRows getpaq(App& app, const QString& cod_ven, const ParamCheck& check = {});
// On a command prepared once with its one parameter (the sale window's cmd_getpaq, q1):
// sets its value and runs it, leaving the parameter in place.
ParamRows getpaq(App& app, db::Command& prepared, const QString& cod_ven);

// The sale limits of those rows: each of the nine keys of lim_vta takes the value of its
// last row (exact, case-sensitive keys); a key without a row keeps its value.
void read_limits(LimVta& lim, const ParamRows& rows);

// anutix: annuls a ticket of the outlet for a caja ("**" from the sale window). code is
// the return status, read when read_code: 0 annulled, anything else not. Under the call
// rule, or tried once (no reconnect, no message) when once is set.
struct AnnulAnswer {
    bool ok = false;
    int code = -1;
};
AnnulAnswer anutix(App& app, qint64 numtik, const QString& cod_ven, const QString& caja, bool once = false,
                   bool read_code = true);

// dettix: the play lines of a ticket (none for an unknown ticket).
struct PlayRow {
    QString nomlot;
    QString codsim, codzod;   // whole numbers
    QString tipnum, numero;
    QString monto;            // a stored amount, a whole number
};
struct PlayRows {
    bool ok = false;
    QList<PlayRow> rows;
};
// names_only: only each row's lottery name is read (the duplicate-ticket dialog's lookup);
// the other fields stay empty.
PlayRows dettix(App& app, qint64 numtik, bool names_only = false);

// The sale window's five prepared commands: cmd_getpaq, cmd_statik, cmd_protkx,
// cmd_valtkx and cmd_newtkx get their procedure and parameters when the window loads and
// keep them, whatever values the calls set, until the window unloads.
void prep_cmds(App& app);
// Takes every parameter prep_cmds appended off its command, by name; one that is not there
// is passed over.
void drop_cmds(App& app);

// dstlot: the lottery catalogue in the lottery order (0 by draw time, 1 by name).
struct CatRows {
    bool ok = false;
    TabCat rows;
};
CatRows dstlot(App& app, int ord_lot, int val_fijo);
// dsplot: the lottery names, read to their end; nothing of them is used.
bool dsplot(App& app);

// The lotteries of newtkx and dttlot rows; codlot and nomlot are left to the caller.
struct LotRows {
    bool ok = false;
    QList<RegLot> rows;
};
// dttlot: the lotteries open for sale in a list mode and order.
LotRows dttlot(App& app, const QString& cod_ven, int mod_lot, int ord_act, int val_fijo);

// newtkx, on cmd_newtkx: opens a pending ticket for the outlet, caja and terminal, and
// answers the lotteries open for it. status 0 with a ticket number other than 0: opened.
// Of a refusal (status other than 0) nothing else is read.
struct NewTicket {
    bool ok = false;
    LotRows lots;
    qint64 status = -1;
    qint64 numtik = 0, serial = 0;
    QDate fecha;
    QString hora;             // as the server sends it
};
NewTicket newtkx(App& app, const QString& cod_ven, const QString& cod_caj, const QString& num_hdd, int ord_lot,
                 int val_fijo, int mod_ven);

// statik, on cmd_statik, tried once: the state of a pending ticket; 1 asks the client to
// delete it and open another.
struct TikStatus {
    bool ok = false;
    qint64 code = -1;
};
TikStatus statik(App& app, qint64 numtik);

// deltik: deletes a pending ticket (its 8-digit number); nothing is answered.
bool deltik(App& app, const QString& num_tik);

// valtkx, on cmd_valtkx: validates and commits a ticket. val_mon above 0 is the amount of
// its plays; 0 or less a refusal code. val_cup is the sale quota left, in whole units.
// The time and the plays are read of a committed ticket only. The total and the tax go as
// the whole numbers nearest to them; beyond 64 bits the call is refused before it is sent.
struct TikCommit {
    bool ok = false;
    double val_mon = 0;
    double val_cup = 0;
    QString ticket2;          // the plays as the server words them ("" when no row came)
    QString hora;             // the time of the commit
};
TikCommit valtkx(App& app, const QString& num_tik, double tot_tik, double imp_tik, int rep_juga);
