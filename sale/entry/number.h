#pragma once
// The number field's rules apart from the widget: the letters that choose play types, the
// symbol codes of code mode typed group by group, stepping through the codes of a set, the
// final form of a code when the field is left, and the codes a text shows.
//
// Code mode texts: one code a play shows it as "05-Leon" (the symbol 0 as "0-Delfin"); a
// play of several codes shows up to three groups from columns 1, 8 and 15, each the code,
// "-", the first 3 letters of the name ("0-" and 4 letters for the symbol 0) and a blank
// but the third ("01-Car 02-Tor 03-Cie").
#include "core/shared/state.h"

#include <QString>
#include <QStringList>

// The play type a typed letter chooses (either case): 0 to 12 the fixed play types, 13 an
// extra one; -1 for any other character.
int play_index(int key);

// The symbol set of the entry and its rules, as the ticked lotteries give them.
struct CodeSet {
    const TabSim& tab;
    int sim = 0;             // the set (above 0: code mode)
    int sit = 0;             // 0 or less: one code a play; 1 or more: up to three
    int std = 0, stt = 0;    // not 0: the second, the third code may repeat an earlier one

    QString name(const QString& code) const;  // 10 characters, blanks when the set lacks it
    bool named(const QString& code) const;
    // "99" is the symbol 0 written otherwise: the set names 99 as it names 0.
    bool zero99() const;
};

// What an editing key ("-", Backspace or a digit) makes of the field's text in code mode:
// the text the field then holds and the key it still types at its end (0: none).
struct Typed {
    QString text;
    int key = 0;
};
Typed code_key(const CodeSet& set, const QString& text, int key);

// Ctrl with Home, End, Up or Down (key codes 36, 35, 38, 40) on a field of one code a play:
// the text of the code stepped to, or "" when there is none to step to.
QString code_step(const CodeSet& set, const QString& text, int key_code);

// The field's text once it is left in code mode: a lone "0" becomes the symbol 0, a code
// never completed or a play that repeats a code it may not repeat becomes "_".
QString code_leave(const CodeSet& set, const QString& text);

// The codes a text shows, for ticking them in the pick list.
QStringList typed_codes(const QString& text);

// The pick list's items for a set: each named code, "-" and its name; the symbol 0 first
// as "0-" and its name, 99 last unless it is the 0 written otherwise.
QStringList pick_items(const CodeSet& set);
