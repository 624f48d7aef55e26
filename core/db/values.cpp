#include "values.h"

#include <QDateTime>
#include <cmath>

namespace db {

namespace {

bool is_int(int type) { return type == adTinyInt || type == adSmallInt || type == adInteger || type == adBigInt; }
bool is_text(int type) { return type == adChar || type == adVarChar; }

const QDate& epoch()
{
    static const QDate d(1900, 1, 1);
    return d;
}

constexpr qint32 ticks_per_day = 24 * 60 * 60 * 300;

} // namespace

bool to_whole(const QVariant& v, qint64& out)
{
    const int id = v.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < -9.2e18 || d > 9.2e18)
            return false;
        out = std::llround(d);
        return true;
    }
    bool ok = false;
    if (id == QMetaType::QString)
        out = v.toString().trimmed().toLongLong(&ok);
    else
        out = v.toLongLong(&ok);
    return ok;
}

bool to_datetime(const QVariant& v, DateTime& out)
{
    QDateTime when;
    switch (v.metaType().id()) {
    case QMetaType::QDate: when = QDateTime(v.toDate(), QTime(0, 0)); break;
    case QMetaType::QDateTime: when = v.toDateTime(); break;
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        when = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!when.isValid())
            when = QDateTime(QDate::fromString(s, Qt::ISODate), QTime(0, 0));
        if (!when.isValid())
            when = QDateTime(QDate::fromString(s, QStringLiteral("dd/MM/yyyy")), QTime(0, 0));
        break;
    }
    default: return false;
    }
    if (!when.isValid() || when.date() < QDate(1753, 1, 1) || when.date() > QDate(9999, 12, 31))
        return false;
    const qint64 ms = when.time().msecsSinceStartOfDay();
    out.days = qint32(epoch().daysTo(when.date()));
    out.ticks = qint32((ms * 3 + 5) / 10);
    if (out.ticks >= ticks_per_day) {  // 23:59:59.999 rounds up to the next day
        out.ticks -= ticks_per_day;
        out.days += 1;
    }
    return true;
}

QVariant from_datetime(DateTime dt)
{
    const QDate date = epoch().addDays(dt.days);
    if (dt.ticks == 0)
        return date;
    const qint64 ms = (qint64(dt.ticks) * 10 + 1) / 3;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QVariant coerce(int ado_type, const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (is_int(ado_type)) {
        qint64 n = 0;
        return to_whole(v, n) ? QVariant::fromValue<qint64>(n) : QVariant();
    }
    if (ado_type == adDouble) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    if (ado_type == adDate) {
        DateTime dt;
        if (!to_datetime(v, dt))
            return {};
        const QVariant back = from_datetime(dt);
        return back.metaType().id() == QMetaType::QDateTime ? QVariant(back.toDateTime().date()) : back;
    }
    if (is_text(ado_type)) {
        if (v.metaType().id() == QMetaType::QDateTime)
            return v.toDateTime().toString(Qt::ISODate);
        return v.toString();
    }
    return v;
}

} // namespace db
