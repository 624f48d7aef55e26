#pragma once
// The central-server double: an in-memory server with the procedures' contracts.
// It records every call and can be told to fail. It serves the program in process
// (as a db::Driver) and behind the TDS endpoint on loopback.
#include "core/db/driver.h"
#include "model.h"

#include <QDate>
#include <QMap>
#include <QSet>
#include <functional>
#include <map>

namespace central {

// One logged call: the procedure and the values of the sent parameters, in order, with
// the type code and size each was declared with (empty when the call came over the wire).
struct Call {
    QString proc;
    QVariantList values;
    QList<int> types;
    QList<int> sizes;
};

// One call as the procedure sees it.
struct Request {
    QString proc;
    QVariantList args;            // sent parameters by position (the return value is not sent)
    QList<int> out_positions;     // positions of the output parameters among args
    QList<int> types, sizes;      // declared type code and size of each of args (in process only)
    QString database;             // the session's current database
    int status = 0;               // the procedure's return status
    bool answers_status = true;   // false: the answer carries no return status
    QList<db::ResultSet> sets;    // result sets answered

    QVariant arg(int i) const { return i < args.size() ? args[i] : QVariant(); }
    QString text(int i) const { return arg(i).toString(); }
    void out(int i, const QVariant& v)
    {
        if (i < args.size())
            args[i] = v;
    }
    db::ResultSet& rows(const QStringList& columns)
    {
        sets.append(db::ResultSet{columns, {}});
        return sets.last();
    }
};

// A procedure: answers false to fail the call with a server error.
using Procedure = std::function<bool(Request&)>;

// A change made to an answer after its procedure ran, as a server with a fault of its own
// might answer.
using Spoil = std::function<void(Request&)>;

// Spoils that tests ask for, one kind of fault each. Columns are named; a row of -1 is
// every row.
namespace spoil {
Spoil column(const QString& name, const QVariant& value, int row = -1);  // a null QVariant: null
Spoil drop_column(const QString& name);
Spoil output(int k, const QVariant& value);  // the k-th output parameter (from 0)
Spoil no_status();
Spoil no_result_set();
Spoil extra_first_set();                      // a result set of other columns comes first
Spoil rows_cleared();                          // the result set comes without rows
} // namespace spoil

class Server : public db::Driver {
public:
    // A server with every group of procedures installed and the demo's data, its history
    // ending at the moment it starts. It takes the moment from clock (none: the system's).
    explicit Server(Clock clock = {});
    ~Server() override;

    Model model;

    void register_procedure(const QString& name, Procedure proc);

    // db::Driver
    std::unique_ptr<db::Session> open(const db::ConnectProps& props, QString* error) override;

    // Runs one call (in process and for the TDS endpoint). Answers false with error set
    // when the call fails; the session then counts as broken when broken is set.
    bool execute(Request& req, QString* error, bool* broken);
    // Checks a login; answers false with error set when refused.
    bool login(const db::ConnectProps& props, QString* error);
    // Switches a session to a database; answers false with error set when refused.
    bool use(const QString& database, QString* error);

    // The call log.
    QList<Call> log;
    QStringList procs() const;    // the procedure names of the log, in order
    QList<Call> calls(const QString& proc) const;

    // Faults.
    // The next n executes (of proc) fail and break the session: a lost connection.
    void fail_next(int n, const QString& proc = QString());
    // The next n executes of proc are answered with a server error; the session stays up.
    void error_next(int n, const QString& proc);
    void fail_next_open(int n = 1);
    void refuse(const QString& host_port);                    // "host:port" never answers
    void allow(const QString& host_port);
    void no_recordset(const QString& proc, bool on = true);   // proc answers no record set
    void no_status(const QString& proc, bool on = true);      // proc answers no return status
    void refuse_database(const QString& name);                // no session switches or logs in to it
    // The next n answers of proc that go through are changed by spoil.
    void spoil_next(const QString& proc, Spoil spoil, int n = 1);
    void drop_sessions();                                     // every open session breaks

    // Connections.
    int opens = 0;
    db::ConnectProps last_open;
    QStringList open_tries;       // "host:port" of every open, also refused ones
    QStringList uses;             // every database a session was asked to switch to
    int generation() const { return generation_; }

private:
    std::map<QString, Procedure> procs_;
    int fail_any_ = 0;
    QMap<QString, int> fail_proc_;
    QMap<QString, int> error_proc_;
    int fail_open_ = 0;
    QSet<QString> refused_;
    QSet<QString> no_rs_;
    QSet<QString> no_status_;
    QSet<QString> refused_dbs_;
    QMap<QString, QList<Spoil>> spoils_;
    int generation_ = 0;
};

// The groups of procedures, each in a file of its own; Server() installs them all.
void install_login(Server& server);   // connection, login, keep-alive and messages
void install_sale(Server& server);      // the ticket cycle
void install_plays(Server& server);     // play registration
void install_services(Server& server);  // ticket inquiry, annulment and payment
void install_winners(Server& server);   // the winning numbers
void install_reports(Server& server);   // the reports
void install_admin(Server& server);     // parameters, users, permissions, lotteries, deposits

} // namespace central
