#pragma once
// Play requests apart from the window: how Procesar reads and checks a typed number, which
// lotteries take a play, what a short answer row is reported as, and the numbers a sign
// play is sent as.
#include "core/shared/money.h"
#include "core/shared/state.h"
#include "sale/ticket/tik_cur.h"

#include <QPair>

// Character k (from 1) of a text; empty past its end.
QString chr(const QString& text, int k);

// The play type a number is sent as: a serie ("S") while it begins with "*", a corrida
// ("C") while "*" follows one or two digits, otherwise the type chosen (base).
QString classify(const QString& num, const QString& base);
// Two "*" where no serie or corrida has them.
bool double_star(const QString& num);
// The codes of a several-code entry: the three groups of two at columns 1, 8 and 15.
QString code_groups(const QString& text);

// The request of a checked number by play type: the number or code(s) sent and the kind.
// ok false: the number cannot be sent.
struct Prep {
    bool ok = false;
    QString num;
    QString tip;
};
Prep prepare(const QString& tip_jug, const QString& num, int lin_sit);
// Whether a lottery takes a request of that kind and number length.
bool takes(const RegLot& lot, const QString& tip, int len);
// The most lines a permutation of a number of that length gives on one lottery.
int perm_factor(int len);

// The numbers a short serie or corrida lacks, with what is left of each: entries
// "number:amount%" read from the left.
QList<QPair<QString, double>> parse_numago(const QString& numago);
// The report of a number or code line granted less than asked (name: the lottery's).
QString short_report(const QString& name, const QString& tipo, const QString& num, double granted, int lin_sim,
                     const TabSim& tab, const MonCtx& mon);
// The question whether to sell what a short serie or corrida can take (lines separated by
// a carriage return).
QString incomplete_question(const QString& name, const QString& tipo, const QString& num,
                            const QList<QPair<QString, double>>& missing);

// The numbers a sign play is sent with: "P" and three digits their arrangements, "*" and
// two digits the ten numbers of one more leading digit, any other number itself. Each
// number once.
QStringList sign_numbers(const QString& num);
