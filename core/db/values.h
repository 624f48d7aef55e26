#pragma once
// Values as parameters send them: whole numbers and dates.
#include "driver.h"

namespace db {

// A whole number to send from an integer, a double (rounded, within 64 bits) or a numeric
// text.
bool to_whole(const QVariant& v, qint64& out);

// SQL Server datetime: days since 1900-01-01 and 1/300 seconds since midnight.
struct DateTime {
    qint32 days = 0;
    qint32 ticks = 0;
};
// false when the value is no date or lies outside 1753-01-01 .. 9999-12-31.
bool to_datetime(const QVariant& v, DateTime& out);
// A date with no time of day comes back as a QDate, anything else as a QDateTime.
QVariant from_datetime(DateTime dt);

} // namespace db
