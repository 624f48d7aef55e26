#pragma once
// The ticket cycle apart from the sale window's widgets: the sale limits derived from the
// outlet's parameters, the lotteries a ticket opens with, the answers of the server, and
// the printed ticket.
#include "core/app/app.h"
#include "tik_cur.h"

// The derived sale limits: flg_dec, jug_menor (smallest minimum) and jug_mayor (largest
// maximum), from the limits as they are now. An empty or unreadable limit counts as 0.
void derive_limits(LimVta& lim, const SesVal& ses);

// Whether a ticket total lies within vta_min .. vta_max (both included).
bool within_limits(const LimVta& lim, double tot_tik);

// Whether a lottery row of newtkx is taken in the configured sale mode: "0" all, "1"
// the animal lotteries, "2" the others, any other mode none.
bool taken(const RegLot& lot, const QString& sys_modv);
// Names the lotteries from the first can_cat entries of the catalogue (the first entry
// with the same codint); a lottery that is not there keeps an empty code and name.
void name_lots(QList<RegLot>& lots, const TabCat& cat, int can_cat);
// The lottery list's item text: the name cut to 20 characters and padded to 20, 40
// blanks, the code (always from column 61).
QString lot_text(const RegLot& lot);

// Ticket numbers and serials travel as 8 digits.
constexpr int num_digits = 8;
// The message (and its style) of a newtkx status that opened no ticket.
QString open_refusal(qint64 status, int& style);

// The municipal tax of a total: percent of it, in whole stored units (half to even).
double tax_of(double tot_tik, double por_imp);
// The message of a valtkx refusal code (val_mon 0 or less).
QString commit_refusal(App& app, double val_mon, double val_cup);

// The lines of a committed ticket, margin included, up to the feed lines.
QStringList tik_lines(App& app, const TikCur& tik, double val_mon, const QString& ticket2);

// Remembers the pending ticket numtik, whose annulment could not be sent, for anu_pend.
void anu_later(App& app, qint64 numtik);
// Annuls (anutix, caja "**") the tickets app.tik_anu remembers for the server and database
// the connection points to, in order, forgetting each once the server answered for it;
// stops at the first that cannot be sent. Each is tried once first; when that fails, under
// the call rule unless once is set (no reconnect, no message). A server that answers an
// annulment with an error has decided it: the ticket is forgotten (with a warning), for
// sending it again would only stop every sale after it.
void anu_pend(App& app, bool once);
