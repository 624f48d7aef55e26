#pragma once
#include "driver.h"
#include <QMap>

namespace db {

enum ObjectState : int { adStateClosed = 0, adStateOpen = 1 };

// The one database connection. Properties are kept by their names ("Data Source",
// "User ID", "Password", "Initial Catalog", "Workstation ID", "Application Name");
// "Data Source" is "host,port".
class Connection {
public:
    explicit Connection(Driver& driver) : driver_(&driver) {}

    int connection_timeout = 10;
    int command_timeout = 0;
    QString provider;

    void set_property(const QString& name, const QString& value) { props_[name] = value; }
    QString property(const QString& name) const { return props_.value(name); }

    bool open(QString* error = nullptr);
    void close();
    int state() const { return session_ ? adStateOpen : adStateClosed; }
    // Switches the default database of the open connection.
    bool set_default_database(const QString& database, QString* error = nullptr);

    Session* session() { return session_.get(); }
    // The session broke under a call: the connection counts as closed from now on.
    void drop() { session_.reset(); }
    void set_driver(Driver& driver) { driver_ = &driver; }

private:
    Driver* driver_;
    QMap<QString, QString> props_;
    std::unique_ptr<Session> session_;
};

} // namespace db
