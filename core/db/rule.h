#pragma once
// The connection routines and the stored-procedure call rule, on what they need of the
// program: the connection, the lost-connection flag, the connection data, the message
// boxes and pointer, and the main window's caption.
#include "command.h"
#include "core/shared/state.h"
#include "platform/dialogs.h"

#include <functional>

namespace db {

struct RuleCtx {
    Connection& cox_bd;
    int& flg_nocox;                           // 1 = no connection
    const DatCox& dat_cox;                    // where cox_config points the connection
    const QString& ver_comp;                  // the application name
    plat::Dialogs& dlg;
    const std::function<void()>& main_caption;  // may be empty
};

// Writes the connection settings into cox_bd (the connection is closed).
void cox_config(Connection& cox_bd, const DatCox& dat_cox, const QString& ver_comp);
// Closes cox_bd if open, configures and reopens it. Returns whether the open succeeded;
// it never changes flg_nocox and never shows a message.
bool cox_reconnect(const RuleCtx& ctx);
// Gives the connection up: closed, flg_nocox = 1, default pointer, caption, message.
void cox_lost(const RuleCtx& ctx);

// Ends a call that the server answered on a live session but that cannot be used: it raised
// an error, or its answer cannot be read. Nothing of it is read and it is not run again, since
// that could register it twice. Under the rule it ends as a second failure ends (cox_lost,
// unless the connection counts as lost already; the next keep-alive clears the flag); tried
// once, it only fails.
void refused(const RuleCtx& ctx, const QString& procedure, const QString& why, bool once);

// Runs cmd (procedure name and parameters set by the caller) under the reconnect rule:
// hourglass, execute, on a broken session one reopen and one retry, cox_lost after a second
// failure, default pointer. An error the server answers on a live session ends the call as
// a second failure does, without reopening and without running it again. While the
// connection counts as lost (flg_nocox 1) the call is not made at all: a closed connection
// is only reopened quietly, nothing is shown and nothing is read. Returns
// true when the results may be read: rs then holds the rows and the command's output
// parameters their values. Unless keep_params, every parameter is deleted from cmd on every
// path. When answered is given, a call that may be read copies the parameters with their
// answered values there before they are deleted.
bool sp_exec(const RuleCtx& ctx, Command& cmd, Recordset& rs, bool keep_params = false,
             QList<Parameter>* answered = nullptr);
// The same call tried once, without reconnect and without touching the pointer or the
// flag (keep-alive, message poll, login calls, ticket status check).
bool sp_once(const RuleCtx& ctx, Command& cmd, Recordset& rs, bool keep_params = false,
             QList<Parameter>* answered = nullptr);

} // namespace db
