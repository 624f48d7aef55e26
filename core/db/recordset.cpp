#include "recordset.h"

namespace db {

QVariant Recordset::field(const QString& column) const
{
    if (eof())
        return {};
    const auto i = set_.columns.indexOf(column);
    if (i < 0)
        return {};
    const auto& row = set_.rows[row_];
    return i < row.size() ? row[i] : QVariant();
}

bool Recordset::read_text(const QString& column, QString& out) const
{
    const QVariant v = field(column);
    if (v.isNull() || !v.isValid())
        return false;
    out = v.toString();
    return true;
}

} // namespace db
