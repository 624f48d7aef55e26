#pragma once
// The central-server double: an in-memory server with the procedures' contracts.
// It records every call and can be told to fail. It serves the program in process
// (as a db::Driver) and behind the TDS endpoint on loopback.
#include "core/db/driver.h"
#include "core/login/deploy.h"

#include <QDate>
#include <QMap>
#include <QSet>
#include <functional>
#include <map>

namespace central {

// One logged call: the procedure and the values of the sent parameters, in order.
struct Call {
    QString proc;
    QVariantList values;
};

// A cashier account of an outlet.
struct User {
    QString password;
    QString caja;              // IDUSER_VEN
    QStringList denied;        // USERXX_MAP codes
};

// What getcox answers for a database code.
struct Cox {
    int status = 0;
    QString server_ip = "127.1.1.1";
    QString server_port = "11433";
    QString databs = "tovaren";
    QString app_numver = "3.8.2.4";
    QString ipnet = "10.1.1.1";
    QStringList omit;             // standard rows left out of the answer, by name
    QList<QStringList> extra;     // further rows {name, value}, after the standard ones
};

struct Message {
    QString fecmov;  // "yyyy-mm-dd"
    QString hormov;  // "hh:mm"
    QString texto;
    bool waiting = true;  // not yet delivered by getmen
};

struct Outlet {
    QString cod_ven = "001";
    int status = 0;      // getutq answer for an accepted cashier: 0 active, 1 suspended, 2 inactive
    QMap<QString, QString> values;  // login rows besides IDUSER_VEN and USERXX_MAP
    QMap<QString, User> users;
    QList<Message> messages;
    QList<QStringList> extra_rows;  // further getutq rows {nombre, valor}, after the others
};

struct Symbol {
    int codsim;
    QString numero;
    QString nombre;
};

// The in-memory model the procedures work on. Later windows add to it.
struct Model {
    QString db_user = deploy::db_user;          // the program's fixed database login
    QString db_password = deploy::db_password;
    QMap<QString, Cox> cox;       // by database code
    Outlet outlet;
    QList<Symbol> symbols;
    int getutq_override = -1;     // >= 0: getutq answers this code
};

// One call as the procedure sees it.
struct Request {
    QString proc;
    QVariantList args;            // sent parameters by position (the return value is not sent)
    QList<int> out_positions;     // positions of the output parameters among args
    QString database;             // the session's current database
    int status = 0;               // the procedure's return status
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

class Server : public db::Driver {
public:
    Server();
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

    // The call log.
    QList<Call> log;
    QStringList procs() const;    // the procedure names of the log, in order
    QList<Call> calls(const QString& proc) const;

    // Faults.
    void fail_next(int n, const QString& proc = QString());  // next n executes (of proc) fail
    void fail_next_open(int n = 1);
    void refuse(const QString& host_port);                    // "host:port" never answers
    void allow(const QString& host_port);
    void no_recordset(const QString& proc, bool on = true);   // proc answers no record set
    void drop_sessions();                                     // every open session breaks

    // Connections.
    int opens = 0;
    db::ConnectProps last_open;
    QStringList open_tries;       // "host:port" of every open, also refused ones
    int generation() const { return generation_; }

private:
    std::map<QString, Procedure> procs_;
    int fail_any_ = 0;
    QMap<QString, int> fail_proc_;
    int fail_open_ = 0;
    QSet<QString> refused_;
    QSet<QString> no_rs_;
    int generation_ = 0;
    void seed();
};

} // namespace central
