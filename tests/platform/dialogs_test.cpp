#include "platform/linux.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

// Answers the next message box as soon as it is open, after noting what it shows.
void answer_next_box(SeenBox* seen, std::function<void(QMessageBox*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons.append(box->standardButton(b));
        act(box);
    });
    timer->start();
}

std::function<void(QMessageBox*)> click(QMessageBox::StandardButton which)
{
    return [which](QMessageBox* box) { box->button(which)->click(); };
}

void press_escape(QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }
void close_window(QMessageBox* box) { box->close(); }

using SB = QMessageBox::StandardButton;

struct BoxCase {
    const char* name;
    int style;
    std::function<void(QMessageBox*)> act;
    int answer;
    QMessageBox::Icon icon;
    QList<SB> buttons;
};

TEST(PlatformDialogs, StylesShowTheirButtonsAndIconAndAnswerWithTheirCodes)
{
    const QList<BoxCase> cases = {
        {"ok information", 64, click(SB::Ok), plat::ans_ok, QMessageBox::Information, {SB::Ok}},
        {"ok critical escape", 16, press_escape, plat::ans_ok, QMessageBox::Critical, {SB::Ok}},
        {"ok exclamation closed", 48, close_window, plat::ans_ok, QMessageBox::Warning, {SB::Ok}},
        {"no icon", 0, click(SB::Ok), plat::ans_ok, QMessageBox::NoIcon, {SB::Ok}},
        {"question ok", 33, click(SB::Ok), plat::ans_ok, QMessageBox::Question, {SB::Ok, SB::Cancel}},
        {"question cancel", 33, click(SB::Cancel), plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}},
        {"question escape", 33, press_escape, plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}},
        {"question closed", 33, close_window, plat::ans_cancel, QMessageBox::Question, {SB::Ok, SB::Cancel}},
        {"yes", 36, click(SB::Yes), plat::ans_yes, QMessageBox::Question, {SB::Yes, SB::No}},
        {"no", 36, click(SB::No), plat::ans_no, QMessageBox::Question, {SB::Yes, SB::No}},
        {"yes/no escape", 36, press_escape, plat::ans_no, QMessageBox::Question, {SB::Yes, SB::No}},
    };
    auto dialogs = plat::make_dialogs();
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        SeenBox seen;
        answer_next_box(&seen, c.act);
        const QString text = QString::fromUtf8("  ¿Línea uno?\r\nDos          ");
        EXPECT_EQ(dialogs->msg_box(text, c.style, "Actualización Kelmaris"), c.answer);
        EXPECT_EQ(seen.title, "Actualización Kelmaris");
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.icon, c.icon);
        std::sort(seen.buttons.begin(), seen.buttons.end());
        QList<SB> want = c.buttons;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(seen.buttons, want);
    }
}

TEST(PlatformDialogs, TextThatLooksLikeMarkupIsShownAsIs)
{
    auto dialogs = plat::make_dialogs();
    SeenBox seen;
    QString shown_format;
    answer_next_box(&seen, [&](QMessageBox* box) {
        shown_format = box->textFormat() == Qt::PlainText ? "plain" : "other";
        box->button(SB::Ok)->click();
    });
    dialogs->msg_box("<b>Caja</b> 01", 64, "Tovaren");
    EXPECT_EQ(seen.text, "<b>Caja</b> 01");
    EXPECT_EQ(shown_format, "plain");
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

    dialogs->set_pointer(plat::ptr_default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dialogs->pointer(), plat::ptr_default);

    // Setting the default pointer again is harmless.
    dialogs->set_pointer(plat::ptr_default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
