#include "connection.h"

namespace db {

bool Connection::open(QString* error)
{
    close();
    ConnectProps p;
    const QString source = property("Data Source");
    const auto comma = source.indexOf(',');
    p.host = (comma < 0 ? source : source.left(comma)).trimmed();
    if (comma >= 0) {
        bool ok = false;
        const int port = source.mid(comma + 1).trimmed().toInt(&ok);
        if (!ok || port <= 0 || port > 65535) {
            if (error)
                *error = QStringLiteral("invalid port in data source '%1'").arg(source);
            return false;
        }
        p.port = port;
    }
    if (p.host.isEmpty()) {
        if (error)
            *error = QStringLiteral("no data source");
        return false;
    }
    p.user = property("User ID");
    p.password = property("Password");
    p.database = property("Initial Catalog");
    p.workstation = property("Workstation ID");
    p.app_name = property("Application Name");
    p.login_timeout = connection_timeout;
    session_ = driver_->open(p, error);
    return session_ != nullptr;
}

void Connection::close()
{
    session_.reset();
}

bool Connection::set_default_database(const QString& database, QString* error)
{
    if (!session_) {
        if (error)
            *error = QStringLiteral("connection closed");
        return false;
    }
    return session_->use(database, error);
}

} // namespace db
