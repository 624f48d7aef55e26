#pragma once
// What the outlet parameters window shows and saves, apart from its widgets: the texts of
// stored amounts and back, the amount choices within the server's bounds, and the choice
// lists of the settings.
#include "core/shared/money.h"

#include <QList>
#include <QPair>
#include <QStringList>

// The bounds of an amount list, stored amounts, from a row "low/high": a part that is
// missing or not a number counts as 0; a text without "/" is the high bound alone.
struct AmountBounds {
    double low = 0;
    double high = 0;
};
AmountBounds split_bounds(const QString& text);

// Sub-unit amounts offered, in hundredths of a unit: the play minimums and the ticket
// minimum. The maximum lists offer none.
inline const QList<int> sub_unit_plays{1, 2, 5, 10, 20, 50};
inline const QList<int> sub_unit_ticket{10, 20, 50};

// The entries of an amount list in ascending order: first the given hundredths of a unit,
// each a whole stored amount not below the low bound and, when the high bound is above 0,
// not above it; then 1, 2, 5, 10, 20, 50, ... 50000000 units within both bounds, with
// thousands marks unless flg_dec.
QStringList amount_choices(const MonCtx& c, const AmountBounds& b, const QList<int>& hundredths);

// The text of a stored amount: whole units (thousands marks unless flg_dec) for a whole
// number of units from 1 to below 10^9, two decimals for every other amount.
QString amount_text(const MonCtx& c, const QString& stored);
// The stored amount of a text of the amount lists: "1.000" (one to three digits and
// groups of three after ".") is whole units, anything else units with at most two decimals
// ("," read as "."; decimals beyond two cut); below one hundredth of a unit, or no amount,
// "0".
QString amount_stored(const MonCtx& c, const QString& text);

// A field of a parameter the server keeps, as the window loaded it: whether the server
// sent the parameter's row, and the text the field showed. A parameter with a row goes back
// with every save; one without a row only once the user has set its field, by a text other
// than the one it showed or by an entry chosen from its list, so that a save that touches
// nothing writes nothing the server did not send.
struct LoadedParam {
    bool came = false;
    QString shown;
    bool chosen = false;

    bool sent(const QString& now) const { return came || chosen || now != shown; }
};

// The choice list of a setting: its entries (text, value) in order, and the entry that
// stands for any other value (-1: none).
struct SettingChoices {
    QList<QPair<QString, QString>> entries;
    int other = -1;

    QStringList texts() const;
    // The entry for value; the other entry for an unknown value ("" without one).
    QString text_of(const QString& value) const;
    // The value of an entry's text; the other entry's value for an unknown text (current
    // without one).
    QString value_of(const QString& text, const QString& current = QString()) const;
};

extern const SettingChoices anut_choices;  // may tickets be annulled (anu_ven)
extern const SettingChoices modv_choices;  // sale mode (sys_modv)
extern const SettingChoices zord_choices;  // lottery order (ord_lot as "0" or "1")
extern const SettingChoices rlot_choices;  // remember lotteries (sys_rlot)
extern const SettingChoices enca_choices;  // print the header (rep_enca)
extern const SettingChoices juga_choices;  // print the plays (rep_juga)
extern const SettingChoices simb_choices;  // print the symbols (rep_simb)
