#pragma once
#include "app.h"

// The connection routines and the stored-procedure call rule.

// Writes the connection settings into cox_bd (the connection is closed).
void cox_config(App& app);
// Closes cox_bd if open, configures and reopens it. Returns whether the open succeeded;
// it never changes flg_nocox and never shows a message.
bool cox_reconnect(App& app);
// Gives the connection up: closed, flg_nocox = 1, default pointer, caption, message.
void cox_lost(App& app);

// Runs cmd (procedure name and parameters set by the caller) under the reconnect rule:
// hourglass, execute, on failure one reopen and (flag 0) one retry, cox_lost after a
// second failure, default pointer. Returns true when the results may be read: rs then
// holds the rows and the command's output parameters their values. Unless keep_params,
// every parameter is deleted from cmd on every path.
bool sp_exec(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params = false);
// The same call tried once, without reconnect and without touching the pointer or the
// flag (keep-alive, message poll, login calls, ticket status check).
bool sp_once(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params = false);

// The terminal identity: the volume serial as a 10-digit text.
QString hdd_serial(plat::System& sys);
// A new workstation identifier: 24 lower-case hexadecimal digits.
QString new_guid(plat::System& sys);
