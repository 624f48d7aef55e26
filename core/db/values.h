#pragma once
// Values as parameters declare them: whole numbers, dates, and the conversion of an answered
// value into the type its parameter declares.
#include "driver.h"

namespace db {

// A whole number from an integer, a double (rounded, within 64 bits) or a numeric text.
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

// A value read back into a parameter of the given type: qint64 for whole numbers, double,
// QDate for adDate, QString for texts; null when it does not convert.
QVariant coerce(int ado_type, const QVariant& v);

} // namespace db
