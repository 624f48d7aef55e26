#pragma once
// Golden transcripts: a test writes what a scenario did, a short line a step, and compares
// the whole with a text file under tests/golden/. With TOVAREN_GOLDEN=write in the
// environment the file is written instead: read a new one through line by line.
#include "central/central.h"
#include "tests/doubles/fakes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A value with its type: null, 'text' (a long one by its ends, length and checksum),
// date 2024-02-29, datetime 2024-02-29T13:45:30.123, or the type's name and the value.
inline QString typed(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("null");
    switch (v.metaType().id()) {
    case QMetaType::QString: {
        const QString s = v.toString();
        if (s.size() <= 60)
            return "'" + s + "'";
        return QStringLiteral("'%1…%2' (%3 chars, crc %4)")
            .arg(s.left(8), s.right(8))
            .arg(s.size())
            .arg(qChecksum(QByteArrayView(s.toUtf8())));
    }
    case QMetaType::QDate: return "date " + v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: return "datetime " + v.toDateTime().toString(Qt::ISODateWithMs);
    default: return QString::fromLatin1(v.metaType().name()) + " " + v.toString();
    }
}

inline QString typed(const QVariantList& values)
{
    QStringList out;
    for (const auto& v : values)
        out << typed(v);
    return out.join(", ");
}

inline QString numbers(const QList<int>& list)
{
    QStringList out;
    for (int n : list)
        out << QString::number(n);
    return out.isEmpty() ? QStringLiteral("none") : out.join('-');
}

// The calls a server saw: proc(value, value...).
inline QString calls_text(const QList<central::Call>& log)
{
    QStringList out;
    for (const auto& c : log)
        out << c.proc + "(" + typed(c.values) + ")";
    return out.join(' ');
}

// The boxes shown: "text"/style/title.
inline QString boxes_text(const fake::Dialogs& dlg)
{
    QStringList out;
    for (const auto& b : dlg.boxes)
        out << QStringLiteral("\"%1\"/%2/%3").arg(QString(b.text).replace("\r\n", "|"), QString::number(b.style), b.title);
    return out.join(' ');
}

inline void expect_golden(const QStringList& lines, const QString& name)
{
    const QString path = QString::fromUtf8(__FILE__).section('/', 0, -3) + "/golden/" + name;
    const QByteArray text = (lines.join('\n') + '\n').toUtf8();
    QFile f(path);
    if (qEnvironmentVariable("TOVAREN_GOLDEN") == "write") {
        QDir().mkpath(path.section('/', 0, -2));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size()) << qPrintable(path);
        return;
    }
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    EXPECT_EQ(text.toStdString(), f.readAll().toStdString()) << qPrintable(name);
}
