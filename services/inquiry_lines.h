#pragma once
// The texts of the ticket inquiry's two lists: a ticket's line and a play's line.
#include "procs_tickets.h"
#include "core/shared/money.h"
#include "core/shared/state.h"

#include <QStringList>


// Número (8 digits at least, never cut), Caja, Hora, Status ("Normal" or "Anulado"),
// Total (right-justified to 12).
QStringList ticket_line(const TicketRow& row, const MonCtx& mon);

// Lotería (the name's first 15 characters), Tipo (the label of the number's class; empty
// for a class it does not know), Número (symbols, signs and cacho kinds by name), Monto
// (right-justified to 10).
QStringList play_line(const PlayRow& row, const TabSim& tab, const MonCtx& mon);
