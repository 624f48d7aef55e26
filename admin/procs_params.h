#pragma once
// Stored procedures of the outlet parameters window (its parameters are read with the
// ticket cycle's getpaq).
#include "core/app/app.h"

// actpaq: stores one parameter of the outlet: x1 the outlet code (varchar 3), x2 the key
// (varchar 10), x3 the value as text (varchar 50). No return value and no rows: a call that
// completes counts as stored. False when the call failed.
bool actpaq(App& app, const QString& cod_ven, const QString& key, const QString& value);
