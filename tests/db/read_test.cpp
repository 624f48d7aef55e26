// Reading an answer whole: each type's conversions, nulls, missing columns and result sets,
// and how a call whose answer cannot be read ends, against the central-server double.
#include "core/shared/server_date.h"
#include "core/shared/whole.h"
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
        {adVarChar, 12.0, "unreadable"}, {adChar, QVariant(12.0f), "unreadable"},
        // Null: unreadable unless it may be, then what it reads as (absent: null).
        {adBigInt, QVariant(), "unreadable"}, {adVarChar, QVariant(), "unreadable"},
        {adBigInt, QVariant(), "qlonglong 0", i64(0)}, {adVarChar, QVariant(), "''", QString()},
        {adDate, QVariant(), "null", QVariant()}, {adBigInt, "x", "unreadable", i64(0)},
    };
    for (const auto& c : cases) {
        DbRig r;
        r.srv.register_procedure("probar", [&](central::Request& q) {
            q.rows({"V"}).rows << QVariantList{c.raw};
            q.out(0, c.raw);
            return true;
        });
        const Field f{"v", c.type, c.if_null};
        QVariant column, output;
        const bool by_column = r.proc("probar").out("o", adVarChar, 10).once([&](Reader& a) {
            column = a.rows({f}).value(0).value("v");
        });
        const bool by_output = r.proc("probar").out("o", adVarChar, 10).once([&](Reader& a) {
            output = a.value({"o", c.type, c.if_null});
        });
        EXPECT_EQ(outcome(by_column, column), c.want) << c.type << " " << qPrintable(typed(c.raw));
        EXPECT_EQ(outcome(by_output, output), c.want) << c.type << " " << qPrintable(typed(c.raw));
    }
}

// A date shown as sent keeps the text it came as, whatever its form; a value the window
// cannot place is as unreadable as one of the wrong type, but a null read as its if_null is
// not asked.
TEST(Read, DatesShownAsSentAndValuesTheWindowCannotPlace)
{
    const auto above_zero = [](const QVariant& v) { return v.toLongLong() > 0; };
    const struct { Field f; QVariant raw; QString want; QString shown = {}; } cases[] = {
        {shown_date("v"), "05.03.2024", "'05.03.2024'", "05.03.2024"},
        {shown_date("v"), "05-03-2024", "'05-03-2024'", "05-03-2024"},
        {shown_date("v"), QDate(2024, 3, 5), "date 2024-03-05", "05/03/2024"},
        {shown_date("v"), QDateTime(QDate(2024, 3, 5), QTime(9, 7)), "datetime 2024-03-05T09:07:00.000",
         "05/03/2024 09:07:00"},
        {shown_date("v"), 2.5, "unreadable"},
        {shown_date("v"), QVariant(), "unreadable"},
        {shown_date("v", true), QVariant(), "''", ""},
        {placed({"v", adBigInt}, above_zero), i64(5), "qlonglong 5"},
        {placed({"v", adBigInt}, above_zero), i64(-5), "unreadable"},
        {placed({"v", adBigInt}, above_zero), "-5", "unreadable"},
        {placed(nullable("v", adBigInt, i64(0)), above_zero), QVariant(), "qlonglong 0"},
    };
    for (const auto& c : cases) {
        DbRig r;
        r.srv.register_procedure("probar", [&](central::Request& q) {
            const QVariant first = c.f.type == adDate ? QVariant(QDate(2024, 1, 1)) : QVariant(i64(1));
            q.rows({"v"}).rows << QVariantList{first} << QVariantList{c.raw};
            return true;
        });
        QVariant got;
        qsizetype rows = -1;
        const bool ok = r.proc("probar").once([&](Reader& a) {
            const QList<Row> read = a.rows({c.f});
            rows = read.size();
            got = read.value(1).value("v");
        });
        EXPECT_EQ(outcome(ok, got), c.want) << qPrintable(typed(c.raw));
        // An answer refused on its second row gives none of its rows.
        EXPECT_EQ(rows, ok ? 2 : 0) << qPrintable(typed(c.raw));
        if (ok) {
            EXPECT_EQ(date_text(got), c.shown.isNull() ? got.toString() : c.shown) << qPrintable(typed(c.raw));
        }
    }
}

// The result set: columns by name whatever their case, every row read, none missing; a
// reply without a set has no rows only where that is allowed.
TEST(Read, ResultSetsAndColumnsAreReadWhole)
{
    const QList<Field> columns{{"codlot", adChar}, {"monto", adBigInt}, nullable("nota", adVarChar)};
    const struct { const char* name; central::Spoil spoil; Set set; QString want; } cases[] = {
        {"as answered", {}, Set::required, "'L1 ' 5 null | 'L2 ' 7 'dos'"},
        {"columns in another case and order", [](central::Request& q) {
             q.sets = {db::ResultSet{{"NOTA", "Monto", "CODLOT"}, {{QVariant(), i64(5), "L1 "}}}};
         }, Set::required, "'L1 ' 5 null"},
        {"a missing column", central::spoil::drop_column("nota"), Set::required, "unreadable"},
        {"a null where none may be, in the second row", central::spoil::column("monto", {}, 1), Set::required,
         "unreadable"},
        {"an amount beyond 64 bits", central::spoil::column("monto", 1e20, 0), Set::required, "unreadable"},
        {"an extra result set first", central::spoil::extra_first_set(), Set::required, "unreadable"},
        {"no result set", central::spoil::no_result_set(), Set::required, "unreadable"},
        {"no result set, none needed", central::spoil::no_result_set(), Set::optional, ""},
        {"no rows", central::spoil::rows_cleared(), Set::required, ""},
    };
    for (const auto& c : cases) {
        DbRig r;
        r.srv.register_procedure("probar", [](central::Request& q) {
            q.rows({"codlot", "monto", "nota"}).rows << QVariantList{"L1 ", i64(5), QVariant()}
                                                      << QVariantList{"L2 ", 7.0, "dos"};
            return true;
        });
        if (c.spoil)
            r.srv.spoil_next("probar", c.spoil);
        QStringList rows;
        const bool ok = r.proc("probar").once([&](Reader& a) {
            for (const Row& row : a.rows(columns, c.set))
                rows << typed(row.value("codlot")) + " " + QString::number(row.whole("monto")) + " " +
                            typed(row.value("nota"));
        });
        EXPECT_EQ(ok ? rows.join(" | ") : QStringLiteral("unreadable"), c.want) << c.name;
    }
}

// An answer that cannot be read fails the call as a server error does: not run again, one
// message under the rule, the connection given up until the keep-alive finds it; tried once,
// it only fails. A prepared command keeps its parameters.
TEST(Read, AnUnreadableAnswerEndsTheCallAsAServerError)
{
    const Reading reading = [](Reader& a) { a.whole("r0"); };
    const struct { const char* name; bool once, prepared; int flag; QString want; } cases[] = {
        {"under the rule", false, false, 0,
         "ok 0, calls [probar()], boxes [\"No hay conexión con el servidor.          \"/16/Tovaren], flag 1, closed, "
         "params 0, pointers 11-0-0"},
        {"under the rule, given up already: not made", false, false, 1,
         "ok 0, calls [], boxes [], flag 1, open, params 0, pointers 11-0"},
        {"tried once", true, false, 0, "ok 0, calls [probar()], boxes [], flag 0, open, params 0, pointers none"},
        {"prepared", false, true, 0,
         "ok 0, calls [probar()], boxes [\"No hay conexión con el servidor.          \"/16/Tovaren], flag 1, closed, "
         "params 1, pointers 11-0-0"},
    };
    for (const auto& c : cases) {
        DbRig r;
        r.flg_nocox = c.flag;
        r.srv.register_procedure("probar", [](central::Request&) { return true; });
        r.srv.no_status("probar");
        bool ok = false;
        if (c.prepared) {
            r.cmd_sp.command_text = "probar";
            r.cmd_sp.append("r0", adBigInt, adParamReturnValue, 0);
            ok = run_prepared(r.ctx(), r.cmd_sp, reading);
        } else {
            auto p = r.proc("probar").ret("r0", adBigInt);
            ok = c.once ? p.once(reading) : p.exec(reading);
        }
        EXPECT_EQ(QString("ok %1, calls [%2], boxes [%3], flag %4, %5, params %6, pointers %7")
                      .arg(ok).arg(calls_text(r.srv.log), boxes_text(r.dlg)).arg(r.flg_nocox)
                      .arg(r.cox_bd.state() == adStateOpen ? "open" : "closed").arg(r.cmd_sp.params().size())
                      .arg(numbers(r.dlg.pointers)),
                  c.want)
            << c.name;
    }
}

// Checked whole numbers of doubles and texts, where amounts and ticket numbers convert.
TEST(Read, WholeNumbersNeverWrap)
{
    const auto text = [](std::optional<qint64> n) { return n ? QString::number(*n) : QStringLiteral("none"); };
    const struct { double v; const char* round, *exact; } doubles[] = {
        {2.5, "3", "none"}, {-2.5, "-3", "none"}, {1e15, "1000000000000000", "1000000000000000"},
        {9223372036854775807.0, "none", "none"}, {-9223372036854775808.0, "-9223372036854775808", "-9223372036854775808"},
        {1e300, "none", "none"}, {std::nan(""), "none", "none"}, {-HUGE_VAL, "none", "none"},
    };
    for (const auto& d : doubles) {
        EXPECT_EQ(text(round_whole(d.v)), d.round) << d.v;
        EXPECT_EQ(text(exact_whole(d.v)), d.exact) << d.v;
    }
}

} // namespace
