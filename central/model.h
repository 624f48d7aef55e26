#pragma once
// The central server's data: one in-memory model that every group of procedures shares
// (one ticket store, one lottery catalogue, one parameter table per outlet). Each group
// of procedures seeds the part of it that the demo needs.
#include "core/login/deploy.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace central {

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

} // namespace central
