#pragma once
// The stored procedures of the outlet's users and their menu permissions.
#include "core/app/app.h"

// dspusr: the users of the outlet for this terminal, in the server's order. A caja that came
// null is a null value (such a user is never listed); a null name or password reads as empty.
// A name or a caja the windows could not send back (a name of more than 10 characters once
// the blanks that fill it go, a caja of more than two once trimmed) makes the answer
// unreadable.
struct UsrRow {
    QVariant iduser;
    QString logusr;
    QString pwdusr;
};
struct UsrList {
    bool ok = false;
    QList<UsrRow> rows;
};
UsrList dspusr(App& app, const QString& cod_ven, const QString& num_hdd);

// actusr: includes ("1"), modifies ("2") or deletes ("3") one user. The delete sends null
// for password, outlet and caja. The answer: 0 accepted, 1 data incomplete or invalid,
// 2 the user name exists, 3 the caja exists.
struct UsrAnswer {
    bool ok = false;
    int code = -1;
};
UsrAnswer actusr(App& app, const QString& op, const QString& logusr, const QVariant& pwdusr,
                 const QVariant& cod_ven, const QVariant& caja, const QString& num_hdd);

// getmap: the menu codes the user is denied, in the server's order, as they came.
struct MapList {
    bool ok = false;
    QStringList codes;
};
MapList getmap(App& app, const QString& logusr);
// delmap: removes every code the user is denied.
bool delmap(App& app, const QString& logusr);
// actmap: denies the user one code, of at most kMenuCodeSize characters.
constexpr int kMenuCodeSize = 3;
bool actmap(App& app, const QString& logusr, const QString& codmnu);
