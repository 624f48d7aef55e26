#pragma once
// The ticket's lines apart from the window: a play record's line of the play list, its
// share of the ticket total, and the server's forms of the symbol 0.
#include "core/shared/money.h"
#include "core/shared/state.h"
#include "sale/ticket/tik_cur.h"

// The record of a staged line (lin_lot, lin_codint, lin_tip, lin_sit, lin_sim, lin_num,
// lin_mon, lin_zod of the ticket state).
JugTik stage_record(const TikCur& t);

// The play list's line of a record with its index: the lottery (15 columns), a blank,
// the play (22 columns: label and number, symbol codes with their names, or a number
// with its sign), the amount or "AGOTADO" (10 columns, right-justified), six blanks and
// the index, three digits or more.
QString play_line(const JugTik& rec, int index, const TabSim& tab, const MonCtx& mon);
// Whether a record has a line in the play list: numbers and codes always, series and
// corridas only while they hold an amount.
bool listed(const JugTik& rec);
// What a record adds to the ticket total: its amount, ten times it for a serie or corrida
// (ten plays), nothing when sold out or taken off.
double share(const JugTik& rec);

// A granted number of a symbol lottery with the symbol 0 written "0-": the server writes
// it "0a", or "99" where the set names 99 as it names 0. Codes are read two characters
// at a time; "99" is read as 0 only when no code is written "0a".
QString zero_form(const TabSim& tab, int set, const QString& number);

// Plain decimal text of an amount, without exponent or trailing zeros.
QString dec_text(double value);
