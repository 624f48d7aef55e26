#pragma once
// The stored procedures of the lotteries the outlet offers.
#include "core/app/app.h"

// dsxsrt: the outlet's lotteries in the server's order; stasrt 0 offered, else switched off.
// A code the save could not send back (more than three characters once trimmed) makes the
// answer unreadable.
struct SrtRow {
    QString codlot;
    QString nomlot;
    int stasrt = 0;
};
struct SrtList {
    bool ok = false;
    QList<SrtRow> rows;
};
SrtList dsxsrt(App& app, const QString& cod_ven);
// delsrt: removes every lottery the outlet has switched off.
bool delsrt(App& app, const QString& cod_ven);
// actsrt: switches one lottery off for the outlet.
bool actsrt(App& app, const QString& cod_ven, const QString& codlot);
