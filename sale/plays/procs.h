#pragma once
// Stored procedures of play registration: plays put on the pending ticket (protkx).
#include "core/app/app.h"

// One row of a play answer: a line of the ticket, or a refusal marker (codlot "***").
struct RspJug {
    QString codlot, numero, tipo;
    double monto = 0;         // granted, stored units: less than asked incomplete, 0 or less sold out
    QString numago;           // protkx only: what a short serie or corrida lacks
};
struct PlayAnswer {
    bool ok = false;          // false: nothing may be read (failed, or the connection is lost)
    QList<RspJug> rows;
};

// protkx: registers one play request, on the sale window's prepared command (cmd_protkx,
// x1 to x8). Every answer row but a marker is the next play of the ticket, numbered from
// can_jug on.
struct PlayReq {
    qint64 numtik = 0;
    QString lots;             // 3-character lottery codes joined; one to confirm
    QString tipo;             // "N", "T", "S", "C", "P"
    QString numero;           // at most 6 characters
    qint64 monto = 0;         // each play's amount, stored units
    int confirm = 0;          // 1: sell what a short serie or corrida can take
    qint64 can_jug = 0;
    int val_fijo = 1;
};
PlayAnswer protkx(App& app, const PlayReq& req);
