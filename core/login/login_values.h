#pragma once
// The pieces of the login that need no window: the framed fatal messages, the login
// values taken from the getutq rows and the list of recent database codes.
#include "core/shared/server_date.h"
#include "core/shared/state.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// A framed message: each line lead blanks, the text, 15 blanks and a line break, an empty
// line between lines, and last the banner "***  <brand>  ***" as wide as the widest line.
QString framed_message(const QStringList& lines, int lead);
// The fatal frames of the getcox answers 2, 3, 4 and below 0.
QString getcox_frame(int code);
// The fatal frames of the getutq answers 7, 8, 9 and every answer without a meaning.
QString getutq_frame(int code);

// Conversions of login values; empty when the text is not one.
std::optional<int> to_int16(const QString& text);      // rounded, halves to even
std::optional<double> to_number(const QString& text);  // finite

// Sets the login value of a getutq row key from the row's value (trimmed or converted by
// key). Answers false for a key that is not a login value. A value that does not convert
// leaves the login value as it was; so does a money divisor or play unit of 0 or below.
bool set_login_value(SesVal& ses, const QString& key, const QString& value);

// Puts cox_dtbs at the head of the recent database codes cox_dtb1..cox_dtb3.
void rotate_recent(CfgReg& cfg);
