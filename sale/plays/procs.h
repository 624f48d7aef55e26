#pragma once
// Stored procedures of play registration: plays put on the pending ticket (protkx, and
// tertix, reptix, duptix, which the server builds from a short request) and plays taken
// off it (delnux, bortix).
#include "core/app/app.h"

// One row of a play answer: a line of the ticket, or a refusal marker (codlot "***"). An
// answer that could not be read whole (a line without its kind or amount, among others)
// fails the call. Amounts asked for go as the whole numbers nearest to them; one beyond
// 64 bits is refused before anything is sent.
struct RspJug {
    QString codlot, numero, tipo;
    double monto = 0;         // granted, stored units: less than asked incomplete, 0 or less sold out
    QString numago;           // protkx only: what a short serie or corrida lacks
};
struct PlayAnswer {
    bool ok = false;          // false: nothing may be read (failed, or the connection is lost)
    QList<RspJug> rows;
};

// protkx: registers one play request. The sale window sends it on its prepared command
// (cmd_protkx, x1 to x8); the dialog plays on the shared command (d1 to d8, the lottery
// list as variable text). Every answer row but a marker is the next play of the ticket,
// numbered from can_jug on.
struct PlayReq {
    qint64 numtik = 0;
    QString lots;             // 3-character lottery codes joined; one to confirm; "" for animals
    QString tipo;             // "N", "T", "S", "C", "P"
    QString numero;           // at most 6 characters
    double monto = 0;         // each play's amount, stored units
    int confirm = 0;          // 1: sell what a short serie or corrida can take
    qint64 can_jug = 0;
    int val_fijo = 1;
};
// An answer with a line of a kind no line can be is refused, by every play function.
PlayAnswer protkx(App& app, const PlayReq& req, bool prepared);

// tertix: the terminals of the ticket's plays, at an amount.
PlayAnswer tertix(App& app, qint64 numtik, double monto, qint64 can_jug);
// reptix: the ticket's plays up to a play index, again on the lotteries listed in codes.
PlayAnswer reptix(App& app, qint64 numtik, qint64 index, const QString& codes, double monto, qint64 can_jug,
                  int val_fijo);
// duptix: the plays of an earlier ticket (of one lottery, or every one when lot is " ")
// on the lotteries listed in codes.
PlayAnswer duptix(App& app, qint64 source, qint64 numtik, double monto, const QString& lot, const QString& codes,
                  qint64 can_jug, int val_fijo);

// delnux: takes the play of that index off the ticket. True when the call was made.
bool delnux(App& app, qint64 numtik, qint64 index);
// bortix: takes the plays of the lotteries listed ("*": every lottery) off the ticket.
bool bortix(App& app, qint64 numtik, const QString& lots, int val_fijo);
