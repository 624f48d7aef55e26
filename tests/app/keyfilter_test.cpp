// Key filters: the pure judgement of typed text, and what a filtered field ends up holding.
#include "core/app/keyfilter.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Digits pass, "a" is typed as "A", Backspace passes, anything else is dropped.
int digits_and_a(int key)
{
    if (key == 8 || (key >= '0' && key <= '9'))
        return key;
    return key == 'a' ? 'A' : 0;
}

TEST(KeyFilter, JudgesTypedTextCharacterByCharacter)
{
    QLineEdit field;
    KeyFilter f(&field, digits_and_a);
    const struct {
        QString typed, want;
    } cases[] = {
        {"7", "7"}, {"x", ""}, {"a", "A"}, {"\b", "\b"}, {"1x2a", "12A"},
        {QString(QChar(22)), ""},  // Ctrl+V is a key like any other
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.judge(c.typed), c.want) << qPrintable(c.typed);
}

TEST(KeyFilter, FieldGetsOnlyWhatTheHandlerLetsThrough)
{
    QLineEdit field;
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
