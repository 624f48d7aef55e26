// The application layer: the identities the program sends to the server, and the key
// filters (the pure judgement of typed text, and what a filtered field ends up holding).
#include "core/app/keyfilter.h"
#include "core/app/rule.h"
#include "tests/doubles/fakes.h"
#include "tests/doubles/untyped.h"

#include <QLineEdit>
#include <QMouseEvent>
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
        {QString(QChar(3)), ""},  // Ctrl+C is a key like any other
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.judge(c.typed), c.want) << qPrintable(c.typed);

    // In a field: keys, Backspace, a selection.
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
}

// A ticket field's filter and an amount's (digits, one point, two decimals at most, judged
// on the field's text). Both let control characters through, as the upper-casing filters
// do: only the rule keeps Ctrl+V and Ctrl+Z from editing the field.
int digits(const QLineEdit*, int k)
{
    return k < 32 || (k >= '0' && k <= '9') ? k : 0;
}

int amount(const QLineEdit* e, int k)
{
    const QString t = e->text();
    const qsizetype point = t.indexOf('.');
    if (k < 32)
        return k;
    if (k == '.')
        return point < 0 ? k : 0;
    return k >= '0' && k <= '9' && (point < 0 || t.size() - point <= 2) ? k : 0;
}

// Counts the middle-button events that reach the field (the X11 selection is pasted on
// release; the offscreen platform has no selection to paste).
struct MiddleButtonProbe : QObject {
    int seen = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)
            seen += static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton;
        return false;
    }
};

TEST(KeyFilter, AFilteredFieldTakesTextOnlyFromTypedKeysWhateverWayItComes)
{
    QWidget window;
    window.resize(300, 60);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    using Judge = std::function<int(const QLineEdit*, int)>;
    const struct { const char* name; Judge judge; QString typed; } filters[] = {
        {"digits", digits, "712345"},
        {"amount", amount, "7123.45"},
        {"none", nullptr, "7x12ab3.45x"},  // the ways themselves put text in an open field
    };
    const QString text = "12ab3.45x";
    // What each way leaves in an open field that held "7x".
    const QHash<QString, QString> open = {{"Ctrl+V", "7x12ab3.45x"},       {"Shift+Insert", "7x12ab3.45x"},
                                          {"middle button", "7x"},         {"context menu", "7x12ab3.45x"},
                                          {"drag and drop", "7x12ab3.45x"}, {"undo", ""},
                                          {"input method", "7x12ab3.45x"}, {"input method deleting", "7"}};
    std::vector<untyped::Way> ways{{"typed keys", [](QWidget* f, const QString& t) { QTest::keyClicks(f, t); }}};
    ways.insert(ways.end(), untyped::ways().begin(), untyped::ways().end());
    for (const bool combo : {false, true})
        for (const auto& filter : filters)
            for (const auto& way : ways) {
                SCOPED_TRACE(std::string(combo ? "combo box, " : "line edit, ") + filter.name + ", " + way.name);
                QWidget* field = combo ? static_cast<QWidget*>(new QComboBox(&window)) : new QLineEdit(&window);
                if (auto* box = qobject_cast<QComboBox*>(field))
                    box->setEditable(true);
                QLineEdit* edit = untyped::edit_of(field);
                field->setGeometry(0, 0, 300, 30);
                MiddleButtonProbe probe;
                edit->installEventFilter(&probe);  // before the filter: sees what passes it
                if (filter.judge)
                    install_key_filter(field, [edit, judge = filter.judge](int k) { return judge(edit, k); });
                field->show();
                field->setFocus();
                QTest::keyClicks(field, "7x");  // "x" refused by both filters
                way.put(field, text);
                const bool typed = way.name == std::string_view("typed keys");
                const QString want = typed ? filter.typed : filter.judge ? "7" : open.value(way.name);
                EXPECT_EQ(edit->text(), want);
                EXPECT_EQ(probe.seen, filter.judge || way.name != std::string_view("middle button") ? 0 : 2);
                delete field;
            }
}

} // namespace
