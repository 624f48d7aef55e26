// Reading an answer whole: each type's conversions and nulls (result sets over the wire and
// in process in tds_test.cpp, how a call whose answer cannot be read ends in rule_test.cpp).
#include "tests/db/db_rig.h"

#include <cmath>
#include <limits>

namespace {

using namespace db;

// What reading one value gave: its typed value, or "unreadable".
QString outcome(bool ok, const QVariant& v) { return ok ? typed(v) : QStringLiteral("unreadable"); }

// Each value answered as a column and as an output, read as the type named: both read the
// same, exactly or not at all.
TEST(Read, ValuesConvertExactlyOrTheAnswerIsUnreadable)
{
    const QString wide = QString(2000, QChar(u'ñ'));
    const qint64 top = std::numeric_limits<qint64>::max(), bottom = std::numeric_limits<qint64>::min();
    const struct { int type; QVariant raw; QString want; std::optional<QVariant> if_null = {}; } cases[] = {
        // Whole numbers, within each type's range.
        {adTinyInt, 255, "qlonglong 255"}, {adTinyInt, 256, "unreadable"}, {adTinyInt, -1, "unreadable"},
        {adSmallInt, -32768, "qlonglong -32768"}, {adSmallInt, 32768, "unreadable"},
        {adInteger, i64(2147483647), "qlonglong 2147483647"}, {adInteger, i64(2147483648LL), "unreadable"},
        {adBigInt, i64(top), "qlonglong 9223372036854775807"}, {adBigInt, i64(bottom), "qlonglong -9223372036854775808"},
        {adBigInt, QVariant::fromValue<quint64>(quint64(top) + 1), "unreadable"},
        // From texts: digits with an optional sign and blanks around, within 64 bits.
        {adBigInt, " -12 ", "qlonglong -12"}, {adBigInt, "+7", "qlonglong 7"},
        {adBigInt, "9223372036854775807", "qlonglong 9223372036854775807"},
        {adBigInt, "9223372036854775808", "unreadable"}, {adBigInt, "-9223372036854775809", "unreadable"},
        {adBigInt, "12a", "unreadable"}, {adBigInt, "1e3", "unreadable"}, {adBigInt, "12.0", "unreadable"},
        {adBigInt, "", "unreadable"}, {adBigInt, "-", "unreadable"}, {adBigInt, "０１", "unreadable"},
        // From doubles: only whole ones within 64 bits.
        {adBigInt, 12.0, "qlonglong 12"}, {adBigInt, 12.5, "unreadable"}, {adBigInt, -9223372036854775808.0,
         "qlonglong -9223372036854775808"}, {adBigInt, 9223372036854775808.0, "unreadable"},
        {adBigInt, 1e20, "unreadable"}, {adBigInt, std::nan(""), "unreadable"}, {adBigInt, HUGE_VAL, "unreadable"},
        {adBigInt, QDate(2024, 1, 2), "unreadable"},
        // Numbers.
        {adDouble, 2.5, "double 2.5"}, {adDouble, " 2.5 ", "double 2.5"}, {adDouble, "2,5", "unreadable"},
        {adDouble, i64(3), "double 3"}, {adDouble, HUGE_VAL, "unreadable"}, {adDouble, "x", "unreadable"},
        // Amounts: numbers (a money column's fraction of a stored unit too) within 64 bits.
        {adCurrency, 149999999.9999, "double 149999999.9999"}, {adCurrency, i64(-5), "double -5"},
        {adCurrency, " -7 ", "double -7"}, {adCurrency, 9223372036854775808.0, "unreadable"},
        {adCurrency, 1e20, "unreadable"}, {adCurrency, "1e30", "unreadable"}, {adCurrency, "siete", "unreadable"},
        // Dates: as dates, or in the texts the server writes them.
        {adDate, QDate(2024, 2, 29), "date 2024-02-29"},
        {adDate, QDateTime(QDate(2024, 2, 29), QTime(10, 5)), "datetime 2024-02-29T10:05:00.000"},
        {adDate, "2024-02-29", "date 2024-02-29"}, {adDate, "29/02/2024", "date 2024-02-29"},
        {adDate, "2024-02-30", "unreadable"}, {adDate, "mañana", "unreadable"}, {adDate, i64(5), "unreadable"},
        // Texts as they came, blanks kept; a whole number as its digits; nothing else.
        {adChar, "ab  ", "'ab  '"}, {adVarChar, wide, typed(wide)}, {adVarChar, i64(42), "'42'"},
        {adVarChar, 2.5, "unreadable"}, {adVarChar, QDate(2024, 1, 2), "unreadable"},
        // Null: unreadable unless it may be, then what it reads as (absent: null).
        {adBigInt, QVariant(), "unreadable"}, {adVarChar, QVariant(), "unreadable"},
        {adBigInt, QVariant(), "qlonglong 0", i64(0)}, {adVarChar, QVariant(), "''", QString()},
        {adDate, QVariant(), "null", QVariant()}, {adBigInt, "x", "unreadable", i64(0)},
    };
    for (const auto& c : cases) {
        const Recordset rows(ResultSet{{"V"}, {{c.raw}}});
        const QList<Parameter> outputs{{"o", adVarChar, adParamOutput, 10, c.raw}};
        Reader by_column(rows, outputs), by_output(rows, outputs);
        const QVariant column = by_column.rows({{"v", c.type, c.if_null}}).value(0).value("v");
        const QVariant output = by_output.value({"o", c.type, c.if_null});
        EXPECT_EQ(outcome(by_column.readable(), column), c.want) << c.type << " " << qPrintable(typed(c.raw));
        EXPECT_EQ(outcome(by_output.readable(), output), c.want) << c.type << " " << qPrintable(typed(c.raw));
    }
}

} // namespace
