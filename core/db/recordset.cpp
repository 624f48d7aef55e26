#include "recordset.h"

namespace db {

QVariant Recordset::field(const QString& column) const
{
    if (eof())
        return {};
    // Column names are matched whatever their case, as the server's own names are.
    for (qsizetype i = 0; i < set_.columns.size(); ++i) {
        if (set_.columns[i].compare(column, Qt::CaseInsensitive) == 0) {
            const auto& row = set_.rows[row_];
            return i < row.size() ? row[i] : QVariant();
        }
    }
    return {};
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
