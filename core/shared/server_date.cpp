#include "server_date.h"
#include "justify.h"

#include <QRegularExpression>

std::optional<QDate> to_date(const QString& text)
{
    QString t = trim_blanks(text);
    const auto cut = t.indexOf(QRegularExpression(QStringLiteral("[ T]")));
    if (cut >= 0)
        t = t.left(cut);
    for (const char* f : {"yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy", "dd-MM-yyyy", "yyyyMMdd"}) {
        const QDate d = QDate::fromString(t, QLatin1String(f));
        if (d.isValid())
            return d;
    }
    return std::nullopt;
}

QString date_text(const QVariant& value, const QString& form)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate: return value.toDate().toString(form);
    case QMetaType::QDateTime: {
        const QDateTime at = value.toDateTime();
        return at.time() == QTime(0, 0) ? at.date().toString(form) : at.toString(form + QStringLiteral(" HH:mm:ss"));
    }
    default: return value.toString();
    }
}
