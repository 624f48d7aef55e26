// An editable combo box made to hold what is typed: typed into on a shown, active window,
// it completes nothing, replaces nothing on Enter or when left, and adds no entry.
#include "core/app/typed_combo.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(TypedCombo, HoldsWhatIsTyped)
{
    QWidget window;
    auto* box = new QComboBox(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    make_typed_combo(box);
    box->addItems({"20", "Caracas"});
    window.show();
    QApplication::setActiveWindow(&window);

    const struct {
        QString keys, text;
        int index;  // the entry taken: only one the text matches exactly
    } cases[] = {
        {"2", "2", 0},                  // no "20" completed
        {"car", "car", 0},              // nor "Caracas", in any case
        {"CARACAS", "CARACAS", 0},
        {"Caracas", "Caracas", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        box->setCurrentIndex(0);
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, c.keys);
        EXPECT_EQ(box->currentText(), c.text);
        QTest::keyClick(box, Qt::Key_Return);
        other->setFocus();
        EXPECT_EQ(box->currentText(), c.text);
        EXPECT_EQ(box->currentIndex(), c.index);
        EXPECT_EQ(box->count(), 2);
    }
}

} // namespace
