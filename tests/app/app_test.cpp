// The application layer: the identities the program sends to the server, and the key
// filters (the pure judgement of typed text, and what a filtered field ends up holding).
#include "core/app/keyfilter.h"
#include "core/app/rule.h"
#include "tests/doubles/fakes.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Identity, TerminalIsTheAbsoluteSignedSerialInTenDigitsWorkstationTheGuidsHexDigits)
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
    // The workstation id: 24 lower-case hex digits of a GUID.
    fake::System sys;
    sys.guids << "{A1B2C3D4-E5F6-0718-293A-4B5C6D7E8F90}";
    EXPECT_EQ(new_guid(sys), "a1b2c3d4e5f60718293a4b5c");
    const QString g = new_guid(sys);  // a fresh one
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{24}$").match(g).hasMatch()) << g.toStdString();
}

// Digits pass, "a" is typed as "A", Backspace passes, anything else is dropped.
int digits_and_a(int key)
{
    if (key == 8 || (key >= '0' && key <= '9'))
        return key;
    return key == 'a' ? 'A' : 0;
}

TEST(KeyFilter, JudgesTypedTextAndTheFieldGetsOnlyWhatTheHandlerLetsThrough)
{
    QLineEdit judged, field;
    KeyFilter f(&judged, digits_and_a);
    const struct { QString typed, want; } cases[] = {
        {"7", "7"}, {"x", ""}, {"a", "A"}, {"\b", "\b"}, {"1x2a", "12A"},
        {QString(QChar(22)), ""},  // Ctrl+V is a key like any other
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.judge(c.typed), c.want) << qPrintable(c.typed);

    // In a field: keys, Backspace, a selection, input-method text and a paste.
    install_key_filter(&field, digits_and_a);
    QTest::keyClicks(&field, "1x2a");
    EXPECT_EQ(field.text(), "12A");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "12");

    // A replaced key types its replacement over the selection; a dropped key keeps it.
    field.setText("9999");
    field.setSelection(1, 2);
    QTest::keyClick(&field, 'x');
    EXPECT_EQ(field.text(), "9999");
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "9A9");

    // Input-method text is judged the same way.
    field.clear();
    QInputMethodEvent im;
    im.setCommitString("3b4a");
    QCoreApplication::sendEvent(&field, &im);
    EXPECT_EQ(field.text(), "34A");

    // Paste is not a key: it reaches the field; the handlers that rewrite a field on
    // change deal with it.
    field.clear();
    field.insert("x1");
    EXPECT_EQ(field.text(), "x1");
}

} // namespace
