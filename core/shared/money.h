#pragma once
// Money amounts. An amount is kept and exchanged as a text of whole units of 1/mod_sys of
// the currency ("100000000" is one currency unit at the default divisor). The helpers below
// check typed amounts against the sale limits, convert between typed, shown and stored
// forms, and filter the keys of amount fields. They keep nothing between calls: every one
// reads the money settings of the moment from a MonCtx.
#include <QLocale>
#include <QString>

struct SesVal;
struct LimVta;

struct MonCtx {
    double mod_sys = 100000000.0;   // money divisor (always above 0)
    double jug_sys = 100000000.0;
    bool flg_dec = false;           // two-decimal display and entry
    // Sale limits as stored-amount texts: number plays and animal-symbol plays.
    QString jug_min, jug_max, jug_mis, jug_mas;
    // Decimal separator of plain quotient texts: the workstation's own.
    QString dec_sep = QLocale::system().decimalPoint();
};

// The money settings of the session and sale limits.
MonCtx mon_ctx(const SesVal& ses, const LimVta& lim);

// The numeric value of an amount or limit text (blanks around it allowed), read the same on
// every workstation; 0 when it is empty or no number.
double mon_num(const QString& text);

// Kind 0 selects the number-play limits jug_min/jug_max, any other kind jug_mis/jug_mas.
// True when minimum <= amount <= maximum, compared as numbers.
bool mon_range(const MonCtx& c, const QString& amount, int kind);
// The stored amount brought within a pair of limits (stored-amount texts): above the
// maximum it becomes the maximum, below the minimum the minimum, otherwise it is cut down to
// the precision of the minimum (its trailing zeros) and never below it.
QString mon_within(const QString& amount, const QString& lo, const QString& hi);
// Display text of the amount brought within the limits of the kind (mon_within).
QString mon_adjust(const MonCtx& c, const QString& amount, int kind);
// Display text of an amount as mon_adjust writes it for the limits of the kind: whole units
// with thousands marks when the minimum is one unit or more, else two decimals without ".00".
QString mon_showlim(const MonCtx& c, const QString& amount, int kind);

// Two-decimal text of a stored amount ("1.50", "-0.75"); a value that rounds to zero is "0".
QString mon_format(const MonCtx& c, double value);
QString mon_format(const MonCtx& c, const QString& value);
// Plain quotient when jug_sys is above mod_sys, else mon_format.
QString mon_showsys(const MonCtx& c, double value);
QString mon_showsys(const MonCtx& c, const QString& value);
// Amount printed on a ticket: plain quotient in whole mode, else mon_format.
QString mon_showtik(const MonCtx& c, double value);
QString mon_showtik(const MonCtx& c, const QString& value);
// Amount shown on screen: mon_format in two-decimal mode, else whole units with "."
// thousands marks (a fraction, should one occur, follows a ",").
QString mon_show(const MonCtx& c, double value);
QString mon_show(const MonCtx& c, const QString& value);

// Typed amount to stored-amount text. Amounts below one hundredth of a unit, zero forms and
// text that is not an amount give "0"; decimals beyond two are cut, never rounded.
// mon_parsesig keeps a leading "-" as the sign and reads the text without any "-".
QString mon_parsesig(const MonCtx& c, const QString& text);
// "," and "." are both read as the decimal point.
QString mon_parsedec(const MonCtx& c, const QString& text);
// Two-decimal mode: "," is read as the decimal point; whole mode: "." marks thousands
// (and "," would be the decimal point).
QString mon_parse(const MonCtx& c, const QString& text);

// Key filter of an amount field: returns the key code to let through, or 0 to drop it.
// maximum is in stored units.
int mon_keycheck(const MonCtx& c, const QString& field, int key, double maximum);

// Whole mode: removes the "." marks and puts them back every three digits of the whole
// part for values of 1000 and above (below 1000, or not a number, the text comes back
// without marks). Two-decimal mode or an empty text: the text comes back unchanged.
QString mon_miles(const MonCtx& c, const QString& text);
