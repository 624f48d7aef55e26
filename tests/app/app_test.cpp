// The application layer: the identities the program sends to the server, the key filters
// (the pure judgement of typed text, and what a filtered field ends up holding), and the
// editable combo box made to hold what is typed.
#include "core/app/keyfilter.h"
#include "core/app/rule.h"
#include "core/app/typed_combo.h"
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
        // -1; the one value whose absolute does not fit 32 bits; no volume: serial 0.
        {0x12345678u, true, "0305419896"}, {0xFFFFFFFFu, true, "0000000001"}, {0x80000001u, true, "2147483647"},
        {0x80000000u, true, "2147483648"}, {0u, true, "0000000000"},          {0xDEADBEEFu, false, "0000000000"},
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
int digits_and_a(int key) { return key == 8 || (key >= '0' && key <= '9') ? key : key == 'a' ? 'A' : 0; }

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

    // In a field, a replaced key types its replacement over the selection; a dropped key
    // keeps it.
    install_key_filter(&field, digits_and_a);
    field.setText("9999");
    field.setSelection(1, 2);
    QTest::keyClick(&field, 'x');
    EXPECT_EQ(field.text(), "9999");
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "9A9");
}

// A ticket field's filter: digits. It lets control characters through, as the upper-casing
// filters do: only the rule keeps Ctrl+V and Ctrl+Z from editing the field.
int digits(const QLineEdit*, int k)
{
    return k < 32 || (k >= '0' && k <= '9') ? k : 0;
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
        {"none", nullptr, "7x12ab3.45x"},  // the ways themselves put text in an open field
    };
    // What each way leaves in an open field that held "7x": the text after it; the offscreen
    // platform has no selection for the middle button, and undo takes back the typing.
    const QString text = "12ab3.45x";
    const QHash<QString, QString> open = {{"middle button", "7x"}, {"undo", ""}};
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
                const QString want = typed ? filter.typed : filter.judge ? "7" : open.value(way.name, "7x" + text);
                EXPECT_EQ(edit->text(), want);
                EXPECT_EQ(probe.seen, filter.judge || way.name != std::string_view("middle button") ? 0 : 2);
                delete field;
            }
}

// Typed into on a shown, active window, it completes nothing, replaces nothing on Enter or
// when left, and adds no entry.
TEST(TypedCombo, HoldsWhatIsTyped)
{
    QWidget window;
    auto* box = new QComboBox(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    make_typed_combo(box);
    box->addItems({"20", "Caracas"});
    window.show();
    QApplication::setActiveWindow(&window);
    // The entry taken is only one the text matches exactly; no "20" nor "Caracas" completed.
    const struct { QString keys, text; int index; } cases[] = {
        {"2", "2", 0}, {"car", "car", 0}, {"CARACAS", "CARACAS", 0}, {"Caracas", "Caracas", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        box->setCurrentIndex(0);
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, c.keys);
        EXPECT_EQ(box->currentText(), c.text);
        QTest::keyClick(box, Qt::Key_Return);
        other->setFocus();
        EXPECT_EQ(QString("%1, entry %2 of %3").arg(box->currentText()).arg(box->currentIndex()).arg(box->count()),
                  QString("%1, entry %2 of 2").arg(c.text).arg(c.index));
    }
}

} // namespace
