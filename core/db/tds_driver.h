#pragma once
#include "driver.h"

namespace db {

// The way to SQL Server: FreeTDS db-lib remote procedure calls.
class TdsDriver : public Driver {
public:
    TdsDriver();
    ~TdsDriver() override;
    std::unique_ptr<Session> open(const ConnectProps& props, QString* error) override;
};

} // namespace db
