#pragma once
// Stored procedures of the outlet parameters window: its parameters are read with the
// ticket cycle's getpaq, saved with actpaq.
#include "core/app/app.h"
#include "sale/ticket/procs.h"

// getpaq as the parameters window reads it: the rows as the sale reads them, and the
// answer made unreadable when the last row of a parameter the window shows and sends back
// (TVENCE_TIK, the amounts, ANUTIK_VEN) holds a value longer than actpaq's, once trimmed.
// The bounds rows (JUGMIN_SYS ...) only shape the amount lists and are read as they come.
ParamRows getpaq_shown(App& app, const QString& cod_ven);
// actpaq: stores one parameter of the outlet: x1 the outlet code (varchar 3), x2 the key
// (varchar 10), x3 the value as text (varchar 50). No return value and no rows: a call that
// completes counts as stored. False when the call failed.
bool actpaq(App& app, const QString& cod_ven, const QString& key, const QString& value);
