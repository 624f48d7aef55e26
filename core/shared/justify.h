#pragma once
#include <QString>

// Removes leading and trailing blanks (spaces only; tabs and other characters stay).
QString trim_blanks(const QString& text);

// Right-justifies value to width with the first character of fill (a blank when fill is
// empty). The value is trimmed of blanks first. A value at least as long as width comes
// back whole: it is never cut.
QString pad_left(const QString& value, int width, const QString& fill = QString());
// Left-justifies: as pad_left, the fill characters following the value.
QString pad_right(const QString& value, int width, const QString& fill = QString());
