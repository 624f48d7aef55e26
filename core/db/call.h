#pragma once
// One stored-procedure call written as its contract: the procedure's parameters in order,
// each with its type, direction and size, then the rule it runs under with the reading of
// its answer (read.h). The command holds the parameters only while the call runs: it is
// clean again on every path.
//
//     CoxAnswer a;
//     a.ok = db::Proc(ctx, cmd_sp, "getcox")
//                .ret("d0")
//                .in("d1", db::adVarChar, 10, num_hdd)
//                .in("d2", db::adVarChar, 15, cod_dtbs)
//                .once([&](db::Reader& r) {
//                    a.code = r.whole("d0", db::adInteger);
//                    for (const db::Row& row : r.rows({{"name", db::adVarChar}, {"value", db::adVarChar}})) ...
//                });
#include "read.h"
#include "rule.h"

#include <functional>

namespace db {

// What a procedure function reads of an answer, through the reader.
using Reading = std::function<void(Reader&)>;

class Proc {
public:
    Proc(const RuleCtx& ctx, Command& cmd, const QString& procedure);

    // The return value (the procedure's return status).
    Proc& ret(const QString& name, int type = adInteger);
    // An input parameter; size is the length of a text parameter, 0 for the others.
    Proc& in(const QString& name, int type, int size, const QVariant& value);
    Proc& out(const QString& name, int type, int size = 0);

    // Under the reconnect rule. True when the call went through and its answer was read
    // whole; an answer that cannot be read ends the call as a server error on a live
    // session does (no second run, cox_lost) and reading gets nothing more.
    bool exec(const Reading& reading = {});
    // Tried once: no reconnect, no pointer, no message; an unreadable answer only fails.
    bool once(const Reading& reading = {});

private:
    bool run(bool once, const Reading& reading);

    RuleCtx ctx_;
    Command& cmd_;
    QString procedure_;
    QList<Parameter> params_;
};

// Runs a prepared command as it stands: its parameters, with the values the caller set,
// stay on it for the next call.
bool run_prepared(const RuleCtx& ctx, Command& cmd, const Reading& reading = {}, bool once = false);

} // namespace db
