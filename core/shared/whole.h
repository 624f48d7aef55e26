#pragma once
// Whole numbers from doubles and texts, checked: a value beyond 64 bits is no whole number,
// it never wraps. Amounts (whole counts of money units) and ticket numbers convert here.
#include <QString>
#include <optional>

// The whole number nearest to v (a half away from zero); none when v is not finite or
// lies beyond 64 bits.
std::optional<qint64> round_whole(double v);
// v when it is a whole number within 64 bits; none for a fraction, a value that is not
// finite or one beyond 64 bits.
std::optional<qint64> exact_whole(double v);
// The whole number a text writes: blanks around it, an optional sign, then decimal digits
// only; none for any other text or a number beyond 64 bits.
std::optional<qint64> text_whole(const QString& text);

// A stored amount as the text amounts travel in: its digits in full, with its fraction of a
// stored unit only when it has one ("150000000", "149999999.9999").
QString stored_text(double amount);
