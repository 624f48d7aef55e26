#pragma once
// The central server's data: one in-memory model that every group of procedures shares
// (one ticket store, one lottery catalogue, one parameter table per outlet). Each group
// of procedures seeds the part of it that the demo needs.
#include "core/login/deploy.h"

#include <QDate>
#include <QDateTime>
#include <QPair>
#include <QTime>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace central {

// Where the server takes the moment from: the system clock, or one a test sets.
using Clock = std::function<QDateTime()>;

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

// A lottery (draw) of the catalogue, with what the sale, the winning numbers, the
// lotteries window and the reports know of it.
struct Lottery {
    QString codint;             // 3 characters: the code the client sends
    QString codlot;             // the code answer rows carry
    QString nomlot;
    int codsim = 0;             // symbol set (0: a number lottery)
    int codsit = 0;
    // Sale attributes of the lottery rows of newtkx and dttlot.
    int statpl = 0, stater = 0, stazod = 0, statrz = 0, stamor = 0, stadbl = 0;
    int stasit = 0, stastd = 0, stastt = 0, codrul = 0, codzod = 0, zorder = 0;
    QTime draw;                 // sales close at the draw
    QChar extra;                // the first letter of the outlet's extra play type listing it
};

// One line of a ticket: a play with the index the client gave it.
struct Play {
    int index = 0;
    QString codlot;
    QString tipo;               // "N", "T", "S", "C"
    QString numero;
    qint64 monto = 0;           // stored units granted
    bool deleted = false;

    // What the line sells for: a serie or corrida is ten plays of its amount.
    qint64 amount() const { return tipo == "S" || tipo == "C" ? 10 * monto : monto; }
    // As a ticket shows it: a serie "*12", a corrida "12*".
    QString text() const { return tipo == "S" ? "*" + numero : tipo == "C" ? numero + "*" : numero; }
};

struct Ticket {
    enum State { pending, sold, annulled, deleted };
    qint64 numtik = 0;
    qint64 serial = 0;          // printed on the ticket, typed at payment
    QString cod_ven, caja;
    QDate fecha;
    QString hora;               // "hh:mm:ss"
    State state = pending;
    qint64 total = 0, tax = 0;  // stored units, as committed
    qint64 premio = 0;          // prize, stored units (0: not a winner)
    bool processed = false;     // its draws are done: the prize is settled
    bool paid = false;
    QDateTime paid_at;          // when it was paid, and by which caja
    QString paid_caja;
    QList<Play> plays;
};

// The winning number of a lottery's draw on a day.
struct Winner {
    QDate fecha;
    QString codlot;
    QString numpre;             // number, optionally followed by a sign letter
    int status = 0;             // 0 not processed, 1 in process, 2 processed, 3 none ("-")
};

struct Account {
    QString codbco;             // 3 characters
    QString nombco;
};

struct Deposit {
    QDate fecha;
    QString codbco;
    QString numero;
    qint64 monto = 0;
    bool processed = false;
};

struct Outlet {
    QString cod_ven = "001";
    int status = 0;      // getutq answer for an accepted cashier: 0 active, 1 suspended, 2 inactive
    QMap<QString, QString> values;  // login rows besides IDUSER_VEN and USERXX_MAP
    QMap<QString, User> users;
    QList<Message> messages;
    QList<QStringList> extra_rows;  // further getutq rows {nombre, valor}, after the others
    // The outlet's parameters (getpaq rows, actpaq updates), in their order.
    QList<QPair<QString, QString>> params;
    QSet<QString> lots_off;         // lottery codes the outlet does not sell
    QList<Account> accounts;
    QList<Deposit> deposits;
    double commission = 12;         // percent of its sales the outlet keeps (bank results)
    qint64 quota = 0;               // sale quota left, stored units; committed tickets use it up
};

struct Symbol {
    int codsim;
    QString numero;
    QString nombre;
};

// The in-memory model the procedures work on; every group of procedures shares it.
struct Model {
    Clock clock = [] { return QDateTime::currentDateTime(); };
    QDateTime started;            // when the server started: the demo's history ends there
    QString db_user = deploy::db_user;          // the program's fixed database login
    QString db_password = deploy::db_password;
    QMap<QString, Cox> cox;       // by database code
    Outlet outlet;
    QList<Symbol> symbols;
    int getutq_override = -1;     // >= 0: getutq answers this code
    QList<Lottery> lotteries;     // the catalogue
    QList<Ticket> tickets;        // every ticket of every state
    qint64 next_numtik = 1;       // the next ticket's number: above every ticket sold before
    qint64 next_serial = 10000001;
    QList<Winner> winners;
    // The time of day the double sells at: a draw at or before it is closed. Fixed, so that
    // the demo and the tests sell the same lotteries at any hour.
    QTime sale_time = QTime(9, 0);
    int newtkx_override = -1;     // >= 0: newtkx answers this status and opens no ticket
    // Sale quota of each number of a lottery, stored units, by "codlot/numero": what is left
    // to sell; a number not listed starts at cupo_num.
    QMap<QString, qint64> cupo;
    qint64 cupo_num = 20000000000;
    int lot_lines = 200;          // lines of one lottery a ticket may hold
    QString sim_zero = "0-";      // how answers write the symbol 0: "0-", "0a" or "99"

    QDateTime now() const { return clock(); }
    QDate today() const { return now().date(); }
    // Ends the demo's history at a moment: what would come later does not happen (sales,
    // draws, prizes and payments), and the tickets are numbered in the order they were
    // sold, the counter above them. The highest number of a caja is then its last ticket.
    void end_history(const QDateTime& at);

    // The outlet's parameter of that name ("" when it has none), and setting it.
    QString param(const QString& key) const;
    void set_param(const QString& key, const QString& value);
    Ticket* ticket(qint64 numtik);
    const Lottery* lottery(const QString& codlot) const;
    // A lottery whose draw has come sells no more; the outlet sells only what it offers.
    bool closed(const Lottery& l) const { return !l.draw.isNull() && l.draw <= sale_time; }
    bool sells(const Lottery& l) const { return !closed(l) && !outlet.lots_off.contains(l.codlot); }
    // The money divisor the outlet's logins receive (SYSTEM_MOD).
    double mod_sys() const;
    // An amount in whole units, with two decimals when it has a fraction.
    QString units(qint64 amount) const;
};

} // namespace central
