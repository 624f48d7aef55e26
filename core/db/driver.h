#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace db {

// Parameter types (the codes the callers have always used).
enum Type : int {
    adTinyInt = 16,
    adSmallInt = 2,
    adInteger = 3,
    adBigInt = 20,
    adDouble = 5,
    adCurrency = 6,   // read only: an amount (see read.h)
    adDate = 7,
    adChar = 129,
    adVarChar = 200,
};
// Parameter directions.
enum Direction : int { adParamInput = 1, adParamOutput = 2, adParamInputOutput = 3, adParamReturnValue = 4 };

// One parameter of a procedure call. The server binds by position: the order, type,
// direction and size are the contract; the name serves only the caller.
// value: null QVariant, qint64/int, double, QString or QDate.
struct Parameter {
    QString name;
    int type = adInteger;
    int dir = adParamInput;
    int size = 0;
    QVariant value;
};

// One result set: column names and rows of values (null QVariant for a null field).
struct ResultSet {
    QStringList columns;
    QList<QVariantList> rows;
};

// What a server session needs to open.
struct ConnectProps {
    QString host;
    int port = 1433;
    QString user;
    QString password;
    QString database;      // empty: the login's default database
    QString workstation;   // workstation id
    QString app_name;      // application name
    int login_timeout = 10;  // seconds
};

// An open session with a server.
class Session {
public:
    virtual ~Session() = default;
    // Switches the session's default database.
    virtual bool use(const QString& database, QString* error) = 0;
    // Calls a procedure. Input values are sent by position (the return-value parameter is
    // not sent). On success the return-value parameter gets the procedure's return status,
    // output parameters get their values, and sets every result set that had columns.
    virtual bool call(const QString& procedure, QList<Parameter>& params, QList<ResultSet>& sets,
                      QString* error) = 0;
    // True once the session can no longer be used (the server went away).
    virtual bool broken() const = 0;
};

// The way to a server: the FreeTDS driver in production, the central-server double in tests.
class Driver {
public:
    virtual ~Driver() = default;
    virtual std::unique_ptr<Session> open(const ConnectProps& props, QString* error) = 0;
};

} // namespace db
