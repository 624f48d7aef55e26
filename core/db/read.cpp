#include "read.h"
#include "core/shared/server_date.h"
#include "core/shared/whole.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace db {

namespace {

bool whole_type(int type) { return type == adTinyInt || type == adSmallInt || type == adInteger || type == adBigInt; }
bool text_type(int type) { return type == adChar || type == adVarChar; }

bool is_integer_id(int id)
{
    switch (id) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool in_range(int type, qint64 n)
{
    switch (type) {
    case adTinyInt: return n >= 0 && n <= 255;
    case adSmallInt: return n >= std::numeric_limits<qint16>::min() && n <= std::numeric_limits<qint16>::max();
    case adInteger: return n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max();
    default: return true;
    }
}

std::optional<qint64> whole_of(const QVariant& v)
{
    const int id = v.metaType().id();
    if (is_integer_id(id))
        return v.toLongLong();
    if (id == QMetaType::ULongLong || id == QMetaType::ULong) {
        const quint64 u = v.toULongLong();
        return u <= quint64(std::numeric_limits<qint64>::max()) ? std::optional<qint64>(qint64(u)) : std::nullopt;
    }
    if (id == QMetaType::Double || id == QMetaType::Float)
        return exact_whole(v.toDouble());
    if (id == QMetaType::QString)
        return text_whole(v.toString());
    return std::nullopt;
}

} // namespace

bool read_as(int type, const QVariant& raw, QVariant& out)
{
    if (raw.isNull() || !raw.isValid())
        return false;
    const int id = raw.metaType().id();
    if (whole_type(type)) {
        const auto n = whole_of(raw);
        if (!n || !in_range(type, *n))
            return false;
        out = QVariant::fromValue<qint64>(*n);
        return true;
    }
    if (type == adDouble || type == adCurrency) {
        double d = 0;
        bool ok = false;
        if (id == QMetaType::QString)
            d = QLocale::c().toDouble(raw.toString().trimmed(), &ok);
        else if (is_integer_id(id) || id == QMetaType::Double || id == QMetaType::Float)
            d = raw.toDouble(&ok);
        if (!ok || !std::isfinite(d) || (type == adCurrency && !round_whole(d)))
            return false;
        out = d;
        return true;
    }
    if (type == adDate) {
        if (id == QMetaType::QDate || id == QMetaType::QDateTime) {
            if (id == QMetaType::QDate ? !raw.toDate().isValid() : !raw.toDateTime().isValid())
                return false;
            out = raw;
            return true;
        }
        if (id != QMetaType::QString)
            return false;
        const auto d = to_date(raw.toString().trimmed());
        if (!d)
            return false;
        out = *d;
        return true;
    }
    if (text_type(type)) {
        if (id == QMetaType::QString) {
            out = raw.toString();
            return true;
        }
        // A whole number only: a double or a date has no one text of its own.
        if (const auto n = whole_of(raw); n && id != QMetaType::Double && id != QMetaType::Float) {
            out = QString::number(*n);
            return true;
        }
        return false;
    }
    return false;
}

QVariant Row::value(const QString& column) const
{
    const qsizetype i = columns_.indexOf(column);
    // A row read has every column named; one that is no row (none came) has none.
    Q_ASSERT_X(i >= 0 || columns_.isEmpty(), "Row::value", qPrintable(column + " was not named"));
    return i >= 0 ? values_.value(i) : QVariant();
}

Reader::Reader(const Recordset& rows, const QList<Parameter>& params) : rows_(rows), params_(params) {}

void Reader::refuse(const QString& why)
{
    if (why_.isEmpty())
        why_ = why;
}

QVariant Reader::read(const Field& f, const QVariant& raw, bool present, const QString& where)
{
    if (!readable())
        return f.if_null.value_or(QVariant());
    if (!present) {
        refuse(where + " is missing");
        return {};
    }
    if (raw.isNull() || !raw.isValid()) {
        if (!f.if_null)
            refuse(where + " is null");
        return f.if_null.value_or(QVariant());
    }
    QVariant out;
    if (f.as_sent && raw.metaType().id() == QMetaType::QString)
        out = raw;
    else if (!read_as(f.type, raw, out)) {
        // A long text is not written out whole.
        refuse(QStringLiteral("%1 does not read as type %2: %3").arg(where).arg(f.type).arg(raw.toString().left(40)));
        return f.if_null.value_or(QVariant());
    }
    if (f.place && !f.place(out)) {
        refuse(QStringLiteral("%1 is no value the window can place: %2").arg(where, raw.toString().left(40)));
        return f.if_null.value_or(QVariant());
    }
    return out;
}

QVariant Reader::value(const Field& f)
{
    for (const Parameter& p : params_)
        if (p.dir != adParamInput && p.name.compare(f.name, Qt::CaseInsensitive) == 0)
            return read(f, p.value, true, QStringLiteral("output ") + f.name);
    Q_ASSERT_X(false, "Reader::value", qPrintable(f.name + " is no output of the call"));
    return read(f, {}, false, QStringLiteral("output ") + f.name);
}

QList<Row> Reader::rows(const QList<Field>& columns, Set set)
{
    QList<Row> out;
    if (!readable())
        return out;
    if (!rows_.is_open()) {
        if (set == Set::required)
            refuse(QStringLiteral("no result set"));
        return out;
    }
    const ResultSet& data = rows_.data();
    // Column names are matched whatever their case, as the server's own names are.
    QList<qsizetype> at;
    QStringList names;
    for (const Field& f : columns) {
        qsizetype k = 0;
        while (k < data.columns.size() && data.columns[k].compare(f.name, Qt::CaseInsensitive) != 0)
            ++k;
        at << (k < data.columns.size() ? k : -1);
        names << f.name;
    }
    for (qsizetype r = 0; r < data.rows.size() && readable(); ++r) {
        Row row;
        row.columns_ = names;
        const QVariantList& values = data.rows[r];
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const qsizetype k = at[c];
            const QString where = QStringLiteral("column %1 of row %2").arg(columns[c].name).arg(r + 1);
            row.values_ << read(columns[c], k >= 0 && k < values.size() ? values[k] : QVariant(), k >= 0 && k < values.size(), where);
        }
        out << row;
    }
    if (!readable())
        out.clear();
    return out;
}

} // namespace db
