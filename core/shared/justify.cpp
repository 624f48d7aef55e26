#include "justify.h"

QString trim_blanks(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b);
}

static QString padding(qsizetype count, const QString& fill)
{
    return count > 0 ? QString(count, fill.isEmpty() ? QChar(u' ') : fill[0]) : QString();
}

QString pad_left(const QString& value, int width, const QString& fill)
{
    const QString v = trim_blanks(value);
    return padding(width - v.size(), fill) + v;
}

QString pad_right(const QString& value, int width, const QString& fill)
{
    const QString v = trim_blanks(value);
    return v + padding(width - v.size(), fill);
}
