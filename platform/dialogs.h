#pragma once
#include <QString>

namespace plat {

// Message box styles and answers, with the codes the program has always used.
enum MsgStyle : int {
    mb_ok = 0,
    mb_okcancel = 1,
    mb_yesno = 4,
    mb_critical = 16,
    mb_question = 32,
    mb_exclamation = 48,
    mb_information = 64,
};
enum MsgAnswer : int { ans_ok = 1, ans_cancel = 2, ans_yes = 6, ans_no = 7 };

// Mouse pointer values: one global state, never a stack.
enum Pointer : int { ptr_default = 0, ptr_hourglass = 11 };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a modal message box; style = buttons + icon (e.g. 33 = question with OK and Cancel).
    // Returns the answer code of the button pressed.
    virtual int msg_box(const QString& text, int style, const QString& title) = 0;
    // Sets the mouse pointer (ptr_hourglass or ptr_default).
    virtual void set_pointer(int pointer) = 0;
    virtual int pointer() const = 0;
};

} // namespace plat
