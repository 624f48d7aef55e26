#pragma once
// The amount field's rules apart from the widget: the key filter against a pair of limits,
// and the amounts its list offers. Limits are chosen by kind as the money helpers choose
// them: 0 the number plays' (jug_min, jug_max), 1 the symbol plays' (jug_mis, jug_mas).
#include "number.h"
#include "core/shared/money.h"

// What a key ("." a digit or Backspace) makes of the amount field's text: no leading
// zeros, decimals only in two-decimal mode with a minimum below one unit (and no first
// decimal that would take the amount below it), never above the maximum.
Typed amount_key(const MonCtx& c, int kind, const QString& text, int key);

// The key filter of a sale dialog's amount field (tx_mont), for the dialog's limit pair
// (stored-amount texts, read at every key; one that is empty or no number counts as 0):
// any key but a digit, "." and Backspace is dropped; the others follow the rules of
// amount_key; and nothing more is typed into a text of 10 characters (thousands marks and
// point included), so a whole amount has at most 8 digits with its marks, or 10 without.
// The text given is the field's after a selected text was cleared.
Typed mont_key(const MonCtx& c, const QString& lo, const QString& hi, const QString& text, int key);
constexpr int mont_length = 10;

// Whether a character is one an amount field takes: a digit, "." or Backspace.
constexpr bool amount_char(int key) { return key == '.' || key == 8 || (key >= '0' && key <= '9'); }

// The amounts offered for a pair of limits: hundredths from the minimum up to 0.50 when
// the minimum is below one unit, then 1, 2, 5, 10, 20, 50 … units up to the maximum.
QStringList amount_presets(const MonCtx& c, int kind);
