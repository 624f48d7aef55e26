#include "tds_driver.h"

namespace db {

TdsDriver::TdsDriver() = default;
TdsDriver::~TdsDriver() = default;

std::unique_ptr<Session> TdsDriver::open(const ConnectProps&, QString* error)
{
    if (error)
        *error = QStringLiteral("not built yet");
    return nullptr;
}

} // namespace db
