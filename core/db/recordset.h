#pragma once
#include "driver.h"

namespace db {

// The rows a call answered, read field by field by column name until end of file.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(ResultSet set) : set_(std::move(set)), open_(true) {}

    bool is_open() const { return open_; }
    bool eof() const { return !open_ || row_ >= set_.rows.size(); }
    void move_next() { if (!eof()) ++row_; }
    void close() { open_ = false; }
    int row_count() const { return open_ ? int(set_.rows.size()) : 0; }
    const ResultSet& data() const { return set_; }

    // The field of the current row; null when the column is unknown, the field is null
    // or there is no current row.
    QVariant field(const QString& column) const;
    // Copies the field as text into out; a null or missing field leaves out unchanged.
    bool read_text(const QString& column, QString& out) const;

private:
    ResultSet set_;
    bool open_ = false;
    qsizetype row_ = 0;
};

} // namespace db
