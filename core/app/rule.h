#pragma once
// The call rule and the connection routines on the program's own connection, and the
// identities the program sends to the server.
#include "app.h"

inline void cox_config(App& app) { db::cox_config(app.cox_bd, app.dat_cox, app.ver_comp); }
inline bool cox_reconnect(App& app) { return db::cox_reconnect(app.rule()); }
inline void cox_lost(App& app) { db::cox_lost(app.rule()); }
inline bool sp_exec(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params = false)
{
    return db::sp_exec(app.rule(), cmd, rs, keep_params);
}
inline bool sp_once(App& app, db::Command& cmd, db::Recordset& rs, bool keep_params = false)
{
    return db::sp_once(app.rule(), cmd, rs, keep_params);
}

// The terminal identity: the volume serial as a 10-digit text.
QString hdd_serial(plat::System& sys);
// A new workstation identifier: 24 lower-case hexadecimal digits.
QString new_guid(plat::System& sys);
