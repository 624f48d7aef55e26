#pragma once
// Stored procedures of the outlet parameters window: its parameters are read with the
// ticket cycle's getpaq, saved with actpaq.
#include "core/app/app.h"
#include "sale/ticket/procs.h"

// getpaq as the parameters window reads it: the rows as the sale reads them, and the
// answer made unreadable when a parameter the window shows and sends back has no row, or
// when the value of its last row is one its field cannot hold or the save could not send
// back as it came: expiry days (TVENCE_TIK) other than one or two digits from 1 to 7, an
// amount (JUGADA_MIN ... VENTIK_MAX) other than a whole count of stored units in digits
// within 64 bits, an annulment flag (ANUTIK_VEN) other than "0" or "1", blanks around
// the days or an amount aside; and any of them longer than actpaq's value. The bounds
// rows (JUGMIN_SYS ...) only shape the amount lists and are read as they come.
ParamRows getpaq_shown(App& app, const QString& cod_ven);

// actpaq: stores one parameter of the outlet: x1 the outlet code (varchar 3), x2 the key
// (varchar 10), x3 the value as text (varchar 50). No return value and no rows: a call that
// completes counts as stored. False when the call failed.
bool actpaq(App& app, const QString& cod_ven, const QString& key, const QString& value);
