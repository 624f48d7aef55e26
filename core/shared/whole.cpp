#include "whole.h"

#include <QLocale>
#include <cmath>

namespace {

// 2^63: the first double above every 64-bit whole number; -2^63 is the lowest one.
constexpr double kTop = 9223372036854775808.0;

bool fits(double v) { return v >= -kTop && v < kTop; }

} // namespace

std::optional<qint64> round_whole(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = std::round(v);
    if (!fits(r))
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<qint64> exact_whole(double v)
{
    if (!std::isfinite(v) || std::trunc(v) != v || !fits(v))
        return std::nullopt;
    return static_cast<qint64>(v);
}

std::optional<qint64> text_whole(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    if (i == t.size())
        return std::nullopt;
    for (qsizetype k = i; k < t.size(); ++k)
        if (t[k] < u'0' || t[k] > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);  // false beyond 64 bits
    if (!ok)
        return std::nullopt;
    return n;
}

QString stored_text(double amount)
{
    return QString::number(amount, 'f', QLocale::FloatingPointShortest);
}
