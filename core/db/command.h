#pragma once
#include "connection.h"
#include "recordset.h"

namespace db {

enum CommandType : int { adCmdStoredProc = 4 };

// How an execute ended.
enum class ExecResult {
    ok,
    broken,        // the connection is closed or its session broke: the reconnect rule applies
    server_error,  // the server answered with an error and the session is alive: no retry
    caller_error,  // the call itself is wrong (e.g. a text longer than its size): no retry
};

// A stored-procedure command: procedure name, parameters appended and deleted by name.
class Command {
public:
    QString command_text;
    int command_type = adCmdStoredProc;
    int command_timeout = 0;
    Connection* active_connection = nullptr;

    // Appends a parameter; its value is set with value(name) = ... or at creation.
    Parameter& append(const QString& name, int type, int dir, int size, const QVariant& value = {});
    Parameter* param(const QString& name);
    QVariant value(const QString& name) const;
    void set_value(const QString& name, const QVariant& value);
    void remove(const QString& name);
    void clear_params() { params_.clear(); }
    const QList<Parameter>& params() const { return params_; }
    QStringList param_names() const;

    // Executes on the active connection; on success rs holds the first result set with
    // columns (closed when there was none) and the output parameters hold their values as
    // they were answered.
    ExecResult execute(Recordset& rs, QString* error = nullptr);

private:
    QList<Parameter> params_;
};

} // namespace db
