#pragma once
// The stored procedure of the winning numbers.
#include "core/app/app.h"
#include "services/winning_texts.h"

// dstprm, under the call rule: the winning numbers of a date ("yyyy-mm-dd") for the outlet,
// one row per lottery in the order the server gives for ord_lot (0 by draw time, 1 by name).
// A lottery not drawn yet may come without its winning number.
struct PrmAnswer {
    bool ok = false;
    QList<PrmRow> rows;
};
PrmAnswer dstprm(App& app, const QString& fecha, const QString& cod_ven, int ord_lot);
