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

QString pad_left(QString& value, int width, const QString& fill)
{
    value = trim_blanks(value);
    return padding(width - value.size(), fill) + value;
}

QString pad_left(const QString& value, int width, const QString& fill)
{
    QString v = value;
    return pad_left(v, width, fill);
}

QString pad_right(QString& value, int width, const QString& fill)
{
    value = trim_blanks(value);
    return value + padding(width - value.size(), fill);
}

QString pad_right(const QString& value, int width, const QString& fill)
{
    QString v = value;
    return pad_right(v, width, fill);
}
