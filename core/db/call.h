#pragma once
// One stored-procedure call written as its contract: the procedure's parameters in order,
// each with its type, direction and size, then the rule it runs under. The command holds
// the parameters only while the call runs: it is clean again on every path.
//
//     const db::Reply r = db::Proc(ctx, cmd_sp, "getcox")
//                             .ret("d0")
//                             .in("d1", db::adVarChar, 10, num_hdd)
//                             .in("d2", db::adVarChar, 15, cod_dtbs)
//                             .once();
//     if (r.ok) { code = r.status(-1); for (auto rs = r.rows; !rs.eof(); rs.move_next()) ... }
#include "rule.h"

#include <optional>

namespace db {

// What a call answered. Nothing may be read unless ok.
struct Reply {
    bool ok = false;
    Recordset rows;            // the first result set with columns (closed when there was none)
    QList<Parameter> params;   // the call's parameters with the answered values

    // The answered value of the return-value or output parameter of that name; null when
    // the call failed, no value came or there is no such parameter.
    QVariant value(const QString& name) const;
    // The return value as a whole number; def when none came.
    qint64 status(qint64 def) const;
    // Copies an answered value as text into target; a null value leaves target as it was.
    bool read(const QString& name, QString& target) const;
};

class Proc {
public:
    Proc(const RuleCtx& ctx, Command& cmd, const QString& procedure);

    // The return value (the procedure's return status).
    Proc& ret(const QString& name, int type = adInteger);
    // An input parameter; size is the length of a text parameter, 0 for the others.
    Proc& in(const QString& name, int type, int size, const QVariant& value);
    Proc& out(const QString& name, int type, int size = 0);

    // Under the reconnect rule.
    Reply exec();
    // Tried once: no reconnect, no pointer, no message.
    Reply once();

private:
    Reply run(bool once);

    RuleCtx ctx_;
    Command& cmd_;
    QString procedure_;
    QList<Parameter> params_;
};

// Runs a prepared command as it stands: its parameters, with the values the caller set,
// stay on it for the next call.
Reply run_prepared(const RuleCtx& ctx, Command& cmd, bool once = false);

} // namespace db
