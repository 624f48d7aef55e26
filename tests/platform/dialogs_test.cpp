// Message boxes and the mouse pointer on the real Qt widgets; what each box showed and
// answered is a golden transcript (tests/golden/platform/dialogs.txt).
#include "platform/linux.h"
#include "tests/doubles/golden.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

TEST(PlatformDialogs, StylesShowTheirButtonsAndIconAndAnswerWithTheirCodes)
{
    const QString accents = QString::fromUtf8("  ¿Línea uno?\r\nDos          ");
    enum Act { click_ok, click_cancel, click_yes, click_no, escape, close_box };
    const char* const act_names[] = {"Ok", "Cancel", "Yes", "No", "Esc", "close"};
    const struct { int style; Act act; QString text; } cases[] = {
        {64, click_ok, accents}, {16, escape, accents}, {48, close_box, accents},
        {0, click_ok, "<b>Caja</b> 01"},  // markup shown as is
        {33, click_ok, accents}, {33, click_cancel, accents}, {33, escape, accents}, {33, close_box, accents},
        {36, click_yes, accents}, {36, click_no, accents}, {36, escape, accents},
    };
    auto dialogs = plat::make_dialogs();
    QStringList t;
    for (const auto& c : cases) {
        // Answers the box as soon as it is open, after noting what it shows.
        QString seen;
        QTimer timer;
        timer.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer.stop();
            QStringList buttons;
            for (QAbstractButton* b : box->buttons())
                buttons << QString::number(box->standardButton(b), 16);
            buttons.sort();
            seen = QString("title \"%1\", text \"%2\", plain %3, icon %4, buttons %5")
                       .arg(box->windowTitle(), QString(box->text()).replace("\r\n", "|"))
                       .arg(box->textFormat() == Qt::PlainText).arg(box->icon()).arg(buttons.join(' '));
            const QMessageBox::StandardButton clicks[] = {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes,
                                                          QMessageBox::No};
            if (c.act == escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (c.act == close_box)
                box->close();
            else
                box->button(clicks[c.act])->click();
        });
        timer.start(0);
        const int answer = dialogs->msg_box(c.text, c.style, "Actualización Kelmaris");
        t << QString("style %1, %2: answers %3; %4").arg(c.style).arg(act_names[c.act]).arg(answer).arg(seen);
    }
    expect_golden(t, "platform/dialogs.txt");
}

TEST(PlatformDialogs, PointerIsOneStateNotAStack)
{
    auto dialogs = plat::make_dialogs();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs->set_pointer(plat::ptr_hourglass);
    dialogs->set_pointer(plat::ptr_hourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(dialogs->pointer(), plat::ptr_hourglass);
    for (int i = 0; i < 2; ++i) {  // once restores; again is harmless
        dialogs->set_pointer(plat::ptr_default);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(dialogs->pointer(), plat::ptr_default);
    }
}

} // namespace
