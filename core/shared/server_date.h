#pragma once
#include <QDate>
#include <QVariant>
#include <QString>
#include <optional>

// The date part of a date the server sends as text: "yyyy-mm-dd", "dd/mm/yyyy",
// "d/m/yyyy", "dd-mm-yyyy" or "yyyymmdd", optionally followed by a time.
std::optional<QDate> to_date(const QString& text);

// A date value as the windows show it: a date in the form given (the program's "dd/MM/yyyy"
// unless another; with its time when it has one), a text unchanged, as the server sent it.
QString date_text(const QVariant& value, const QString& form = QStringLiteral("dd/MM/yyyy"));
