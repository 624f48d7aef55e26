#pragma once
// The sale window's handlers are written for the events of its controls as the cashier
// causes them: the code of a key before it types (KeyDown), the character it types
// (KeyPress), the focus entering and leaving a control (GotFocus, LostFocus), a mouse
// press, and an editable field's list about to open (DropDown). One bridge per window turns
// Qt's events into these:
// - KeyDown runs first, with the key code (Backspace 8, Space 32, PageUp 33, PageDown 34,
//   End 35, Home 36, Left 37, Up 38, Right 39, Down 40, Delete 46, letters and digits by
//   their upper-case code) and the shift state (1 Shift, 2 Ctrl, 4 Alt); answering 0 drops
//   the key. The typed character then goes through the control's key filter to KeyPress.
// - GotFocus and LostFocus run only when the focus moves from one control to another. A
//   message box or a modal window opening and closing, and a field's own list popping up,
//   take the focus away and give it back: that runs neither. A move that happened while
//   the window was inactive runs both once the window is active again. Inside a handler
//   the control already counts as entered (or left), so a handler may move the focus on.
// - Editable fields take text only through their key filter, by the program's one rule
//   (core/app/keyfilter.h): paste (keys, middle button), undo, drag and drop, the context
//   menu and input-method text are refused before any handler sees them.
// - Editable fields: a press on the arrow, F4 and Alt+Up/Down raise DropDown when the
//   control has a DropDown handler; PageUp, PageDown and the wheel never step the field
//   through its list. While a field's own list is open, Enter picks from it and Esc closes
//   it (neither presses the window's buttons), and Space goes to the field's KeyDown.
#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

// The handlers of one control; an empty one lets the event go on.
struct CtlEvents {
    std::function<int(int key_code, int shift)> key_down;  // the key code to go on, 0 to drop
    std::function<int(int key_ascii)> key_press;           // the character to type, 0 to drop
    std::function<void()> got_focus, lost_focus;
    std::function<void()> mouse_down;  // a button pressed on the control (a list: on its items)
    std::function<void()> drop_down;   // an editable field's list asked to open
};

class EntryBridge : public QObject {
    Q_OBJECT
public:
    explicit EntryBridge(QObject* parent) : QObject(parent) {}

    // The handlers of a control, to fill in; attaching it again gives the same ones.
    CtlEvents& attach(QWidget* control);

    // Whether an editable field's own list is open.
    static bool dropped(const QComboBox* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool key(QWidget* ctl, CtlEvents& ev, class QKeyEvent* k);
    void focus_in(QWidget* ctl);
    void focus_out(QWidget* ctl, Qt::FocusReason why);

    std::map<QWidget*, CtlEvents> ctls_;
    std::map<QObject*, QWidget*> parts_;  // an edit field, a field's list, a list's viewport: its control
    QPointer<QWidget> owner_;
};
