#include "values.h"
#include "core/shared/whole.h"

#include <QDateTime>

namespace db {

namespace {

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
        const auto n = round_whole(v.toDouble());
        if (n)
            out = *n;
        return n.has_value();
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

} // namespace db
