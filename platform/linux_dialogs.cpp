// Message boxes and the mouse pointer over Qt Widgets.
#include "platform/linux.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

namespace plat {
namespace {

QMessageBox::Icon icon_of(int style)
{
    switch (style & 0x70) {
    case mb_critical: return QMessageBox::Critical;
    case mb_question: return QMessageBox::Question;
    case mb_exclamation: return QMessageBox::Warning;
    case mb_information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

class LinuxDialogs : public Dialogs {
public:
    int msg_box(const QString& text, int style, const QString& title) override
    {
        // No parent: a window unloaded by a timer while the box is open must not take the
        // box with it. Without a parent the box is modal for the whole application.
        QMessageBox box;
        box.setWindowTitle(title);
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(icon_of(style));

        QAbstractButton* first = nullptr;
        QAbstractButton* second = nullptr;
        int first_answer = ans_ok;
        int second_answer = ans_ok;
        switch (style & 0x0f) {
        case mb_okcancel:
            first = box.addButton(QMessageBox::Ok);
            second = box.addButton(QMessageBox::Cancel);
            first_answer = ans_ok;
            second_answer = ans_cancel;
            break;
        case mb_yesno:
            first = box.addButton(QMessageBox::Yes);
            second = box.addButton(QMessageBox::No);
            first_answer = ans_yes;
            second_answer = ans_no;
            break;
        default:
            first = box.addButton(QMessageBox::Ok);
            break;
        }
        box.setDefaultButton(qobject_cast<QPushButton*>(first));
        // Escape and the close button answer with the last button (Cancel, No, or the only OK).
        QAbstractButton* escape = second ? second : first;
        box.setEscapeButton(escape);

        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        if (clicked == first)
            return first_answer;
        if (clicked == second)
            return second_answer;
        return escape == first ? first_answer : second_answer;
    }

    // The pointer is one state: the hourglass is pushed at most once and the default pointer
    // removes every override, however many times the hourglass was asked for.
    void set_pointer(int p) override
    {
        if (p == ptr_hourglass) {
            if (pointer() != ptr_hourglass)
                QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            return;
        }
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    int pointer() const override
    {
        const QCursor* c = QApplication::overrideCursor();
        return c && c->shape() == Qt::WaitCursor ? ptr_hourglass : ptr_default;
    }
};

} // namespace

std::unique_ptr<Dialogs> make_dialogs() { return std::make_unique<LinuxDialogs>(); }

} // namespace plat
