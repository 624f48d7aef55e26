#include "platform/linux.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using SB = QMessageBox::StandardButton;
enum Act { click_ok, click_cancel, click_yes, click_no, escape, close_box };

TEST(PlatformDialogs, StylesShowTheirButtonsAndIconAndAnswerWithTheirCodes)
{
    const QString accents = QString::fromUtf8("  ¿Línea uno?\r\nDos          ");
    const struct { int style; Act act; int answer; QMessageBox::Icon icon; QList<SB> buttons; QString text; } cases[] = {
        {64, click_ok, plat::ans_ok, QMessageBox::Information, {SB::Ok}, accents},
        {16, escape, plat::ans_ok, QMessageBox::Critical, {SB::Ok}, accents},
        {48, close_box, plat::ans_ok, QMessageBox::Warning, {SB::Ok}, accents},
        {0, click_ok, plat::ans_ok, QMessageBox::NoIcon, {SB::Ok}, "<b>Caja</b> 01"},  // markup shown as is
        {33, click_ok, plat::ans_ok, QMessageBox::Question, {SB::Ok, SB::Cancel}, accents},
        {33, click_cancel, plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}, accents},
        {33, escape, plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}, accents},
        {33, close_box, plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}, accents},
        {36, click_yes, plat::ans_yes, QMessageBox::Question, {SB::Yes, SB::No}, accents},
        {36, click_no, plat::ans_no, QMessageBox::Question, {SB::Yes, SB::No}, accents},
        {36, escape, plat::ans_no, QMessageBox::Question, {SB::Yes, SB::No}, accents},
    };
    auto dialogs = plat::make_dialogs();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " act " << c.act);
        // Answers the box as soon as it is open, after noting what it shows.
        QString title, text;
        QMessageBox::Icon icon{};
        Qt::TextFormat format{};
        QList<SB> buttons;
        QTimer timer;
        timer.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer.stop();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            format = box->textFormat();
            for (QAbstractButton* b : box->buttons())
                buttons.append(box->standardButton(b));
            const SB clicks[] = {SB::Ok, SB::Cancel, SB::Yes, SB::No};
            if (c.act == escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (c.act == close_box)
                box->close();
            else
                box->button(clicks[c.act])->click();
        });
        timer.start(0);
        EXPECT_EQ(dialogs->msg_box(c.text, c.style, "Actualización Kelmaris"), c.answer);
        EXPECT_EQ(title, "Actualización Kelmaris");
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(icon, c.icon);
        std::sort(buttons.begin(), buttons.end());
        EXPECT_EQ(buttons, c.buttons);
    }
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
