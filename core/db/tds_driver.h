#pragma once
#include "driver.h"

#include <QByteArray>

namespace db {

// The way to SQL Server: FreeTDS db-lib remote procedure calls over TDS 7.4.
// Login record: user, password, application name and host name (the workstation id),
// client character set UTF-8, the initial database; the login times out after
// login_timeout seconds, calls never time out. No freetds.conf entry is needed: the
// data source is "host:port" and the protocol version is set here.
class TdsDriver : public Driver {
public:
    TdsDriver();
    ~TdsDriver() override;
    std::unique_ptr<Session> open(const ConnectProps& props, QString* error) override;
};

// How values travel through db-lib; pure, so that they can be checked without a server.
namespace tds {

// One parameter as dbrpcparam takes it.
struct WireParam {
    int type = 0;        // db-lib type code (SYBINT4, SYBCHAR, ...)
    int status = 0;      // DBRPCRETURN for output parameters
    int maxlen = -1;     // room for a text output; -1 otherwise
    bool null = true;    // sent with datalen 0
    QByteArray data;     // the value in the client's representation (UTF-8 for texts)
};

// The db-lib type a parameter type goes as; 0 when the type is not supported.
int wire_type(int ado_type);
// Encodes a parameter; false with error set when its value does not fit its type.
// An empty text goes as one blank: db-lib sends a zero length as NULL, and SQL Server
// compares '' and ' ' as equal.
bool encode(const Parameter& p, WireParam& out, QString* error);

// SQL Server datetime: days since 1900-01-01 and 1/300 seconds since midnight.
struct DateTime {
    qint32 days = 0;
    qint32 ticks = 0;
};
// false when the value is no date or lies outside 1753-01-01 .. 9999-12-31.
bool to_datetime(const QVariant& v, DateTime& out);
// A date with no time of day comes back as a QDate, anything else as a QDateTime.
QVariant from_datetime(DateTime dt);

// A value db-lib hands over (column or return value) as a QVariant: whole numbers as
// qint64, texts as QString (trailing blanks kept), datetime as from_datetime, floats as
// double; null data is a null QVariant. Other types are converted to text.
QVariant decode(int type, const unsigned char* data, int len);

// A value read back into a parameter of the given type (QDate for adDate).
QVariant coerce(int ado_type, const QVariant& v);

} // namespace tds

} // namespace db
