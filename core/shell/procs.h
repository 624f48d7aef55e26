#pragma once
// The main window's stored procedures: the keep-alive probe and the server's messages.
#include "core/app/app.h"

// stacox, tried once on cmd_stacox: whether the server answered.
bool stacox(App& app);

// getmen, tried once on cmd_getmen: a message waiting for the outlet: its count (a whole
// number), date, time and text. A value that came null is absent.
struct MenAnswer {
    bool ok = false;
    QVariant count, fecha, hora, texto;
};
MenAnswer getmen(App& app, const QString& cod_ven);

// dstmen, under the call rule: the outlet's messages in the server's order, each date
// written "yyyy-mm-dd".
struct MenRow {
    QString fecmov, hormov, texto;
};
struct MenList {
    bool ok = false;
    QList<MenRow> rows;
};
MenList dstmen(App& app, const QString& cod_ven);
