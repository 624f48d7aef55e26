#pragma once
#include "driver.h"

namespace db {

// The rows a call answered (the first result set with columns); they are read through a
// reader (read.h).
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(ResultSet set) : set_(std::move(set)), open_(true) {}

    bool is_open() const { return open_; }
    int row_count() const { return open_ ? int(set_.rows.size()) : 0; }
    const ResultSet& data() const { return set_; }

private:
    ResultSet set_;
    bool open_ = false;
};

} // namespace db
