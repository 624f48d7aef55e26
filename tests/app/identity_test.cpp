// The identities the program sends to the server.
#include "core/app/rule.h"
#include "tests/doubles/fakes.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(Identity, TerminalIdentityIsTheAbsoluteSignedSerialInTenDigits)
{
    const struct { quint32 serial; bool ok; const char* want; } cases[] = {
        {0x12345678u, true, "0305419896"}, {0xFFFFFFFFu, true, "0000000001"},  // -1
        {0x80000001u, true, "2147483647"},
        {0x80000000u, true, "2147483648"},   // the one value whose absolute does not fit 32 bits
        {0u, true, "0000000000"}, {0xDEADBEEFu, false, "0000000000"},  // no volume: serial 0
    };
    for (const auto& c : cases) {
        fake::System sys;
        sys.serial = c.serial;
        sys.serial_ok = c.ok;
        EXPECT_EQ(hdd_serial(sys), c.want) << c.serial;
    }
}

TEST(Identity, WorkstationIdIs24LowerCaseHexDigits)
{
    fake::System sys;
    sys.guids << "{A1B2C3D4-E5F6-0718-293A-4B5C6D7E8F90}";
    EXPECT_EQ(new_guid(sys), "a1b2c3d4e5f60718293a4b5c");
    const QString g = new_guid(sys);  // a fresh one
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{24}$").match(g).hasMatch()) << g.toStdString();
}

} // namespace
