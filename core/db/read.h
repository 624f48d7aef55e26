#pragma once
// Answers are read whole. A procedure function names every value it reads, with the type it
// reads as and whether it may come null: the return status and the outputs by their
// parameters' names, the columns of the first result set by their names. A value that is
// missing, null where it may not be, or does not convert exactly to its type makes the
// whole reply unreadable, and the call then fails as one the server refused (call.h): a
// half-read answer is never acted on.
#include "recordset.h"

#include <functional>
#include <optional>

namespace db {

// One value a reply is read for, by the type it reads as:
// - adTinyInt, adSmallInt, adInteger, adBigInt: a whole number within that type's range,
//   from a whole number, a double without fraction or a text of digits with an optional sign;
// - adDouble: a finite number, or a text of one;
// - adCurrency: an amount, a number as adDouble reads it whose whole count of stored units
//   fits 64 bits; a money column may carry a fraction of a stored unit;
// - adDate: a date (a date with a time keeps it), or a text the server writes dates in;
// - adChar, adVarChar: a text; a whole number reads as its digits.
// Without if_null the value may not come null; with it a null reads as that value, and a
// null QVariant there means the value is absent (Row::has).
// as_sent: an adDate the window shows as the server sent it; a text stays the text it came
// as (the window shows it unchanged), a date reads as a date.
// place: what the window knows of the value. A value that reads as its type but that the
// window cannot act on (a code longer than the parameter it goes back in, an amount beyond
// its field) makes the reply unreadable as well; a null read as if_null is not asked.
struct Field {
    QString name;
    int type = adVarChar;
    std::optional<QVariant> if_null = std::nullopt;
    bool as_sent = false;
    std::function<bool(const QVariant&)> place = {};
};

// A field that may come null, and then reads as if_null (absent when none is given).
inline Field nullable(const QString& name, int type, const QVariant& if_null = {})
{
    return Field{name, type, if_null};
}

// A date shown as the server sent it (as_sent above); with null_shows_empty a null reads as
// an empty text, for a column the window only shows.
inline Field shown_date(const QString& name, bool null_shows_empty = false)
{
    return Field{name, adDate, null_shows_empty ? std::optional<QVariant>(QString()) : std::nullopt, true};
}

// The field f, read only when the window can place its value.
inline Field placed(Field f, std::function<bool(const QVariant&)> place)
{
    f.place = std::move(place);
    return f;
}

// One row of an answer, read as its columns were named.
class Row {
public:
    // The value read; null when it came null and reads as absent.
    QVariant value(const QString& column) const;
    bool has(const QString& column) const { return !value(column).isNull(); }
    qint64 whole(const QString& column) const { return value(column).toLongLong(); }
    double number(const QString& column) const { return value(column).toDouble(); }
    QString text(const QString& column) const { return value(column).toString(); }

private:
    friend class Reader;
    QStringList columns_;
    QVariantList values_;
};

// Whether a reply must carry a result set for its rows.
enum class Set { required, optional };

class Reader {
public:
    Reader(const Recordset& rows, const QList<Parameter>& params);

    // The return status or the output parameter of that name.
    QVariant value(const Field& f);
    qint64 whole(const QString& name, int type = adBigInt) { return value({name, type}).toLongLong(); }
    QString text(const QString& name, int type = adVarChar) { return value({name, type}).toString(); }

    // Every row of the first result set, each with these columns. A reply without a result
    // set has no rows when set is optional and is unreadable otherwise.
    QList<Row> rows(const QList<Field>& columns, Set set = Set::required);

    // A procedure function's own finding that the answer cannot be used.
    void refuse(const QString& why);
    bool readable() const { return why_.isEmpty(); }
    const QString& why() const { return why_; }

private:
    QVariant read(const Field& f, const QVariant& raw, bool present, const QString& where);

    const Recordset& rows_;
    const QList<Parameter>& params_;
    QString why_;
};

// The value raw read as type; false when it does not convert exactly (null never does).
bool read_as(int type, const QVariant& raw, QVariant& out);

} // namespace db
