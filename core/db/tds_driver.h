#pragma once
#include "driver.h"

#include <QByteArray>

namespace db {

// The way to SQL Server: FreeTDS db-lib remote procedure calls over TDS 7.4.
// Login record: user, password, application name and host name (the workstation id),
// client character set UTF-8, the initial database; the login times out after
// login_timeout seconds, calls never time out. No freetds.conf entry is needed: the
// data source is "host:port" and the protocol version is set here.
//
// Calls have no time limit, so that a long report runs to its end; a peer that vanished
// without closing (a cable pulled, a router restarted) is found by TCP instead: keep-alive
// probes while a call waits for its answer, and a limit on how long a request may stay
// unacknowledged, since keep-alive does not run then.
struct Liveness {
    int idle_s = 20;        // silence before the first keep-alive probe
    int interval_s = 10;    // between probes
    int probes = 4;         // unanswered probes before the connection is given up
    int unacked_ms = 60000; // how long sent data may stay unacknowledged
};

class TdsDriver : public Driver {
public:
    explicit TdsDriver(Liveness liveness = {});
    ~TdsDriver() override;
    std::unique_ptr<Session> open(const ConnectProps& props, QString* error) override;

private:
    Liveness liveness_;
};

// How values travel through db-lib; pure, so that they can be checked without a server.
namespace tds {

// Sets the keep-alive and unacknowledged-data limits on a connected TCP socket.
bool keep_alive(int fd, const Liveness& l);

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

// A value db-lib hands over (column or return value) as a QVariant: whole numbers as
// qint64, texts as QString (trailing blanks kept), datetime as from_datetime, floats as
// double; null data is a null QVariant. Other types are converted to text.
QVariant decode(int type, const unsigned char* data, int len);

} // namespace tds

} // namespace db
