#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>
#include <functional>

namespace plat {

struct HttpReply {
    bool ok = false;        // the transfer completed (whatever the status)
    int status = 0;         // HTTP status code, 0 when no answer
    QByteArray body;        // the reply body (empty for downloads)
    QMap<QString, QString> headers;  // response headers, names in lower case
    QString error;          // transport error text when !ok
    qint64 received = 0;    // bytes received for a download
};

class Http {
public:
    virtual ~Http() = default;
    // Synchronous GET.
    virtual HttpReply get(const QString& url) = 0;
    // Synchronous download of url into the file at path. on_start gets the status and the
    // announced length (-1 when none) before any data; on_data the bytes received so far.
    virtual HttpReply download(const QString& url, const QString& path,
                               const std::function<void(int status, qint64 length)>& on_start,
                               const std::function<void(qint64 received)>& on_data) = 0;
};

} // namespace plat
