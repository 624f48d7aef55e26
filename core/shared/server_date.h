#pragma once
#include <QDate>
#include <QString>
#include <optional>

// The date part of a date the server sends as text: "yyyy-mm-dd", "dd/mm/yyyy",
// "d/m/yyyy", "dd-mm-yyyy" or "yyyymmdd", optionally followed by a time.
std::optional<QDate> to_date(const QString& text);
