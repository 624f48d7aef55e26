#include "keyfilter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The edit field of an entry field: the line edit itself or an editable combo box's.
QLineEdit* edit_of(const QObject* o)
{
    if (auto* box = qobject_cast<const QComboBox*>(o))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(const_cast<QObject*>(o));
}

// Keys that change a field's text without typing a character.
bool edits_untyped(const QKeyEvent* k)
{
    return k->matches(QKeySequence::Paste) || k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) ||
           k->key() == Qt::Key_Paste || (k->key() == Qt::Key_Insert && (k->modifiers() & Qt::ShiftModifier));
}

bool never_judged(const QKeyEvent* k)
{
    switch (k->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return k->text().isEmpty();
    }
}

// The key code Qt gives a key that types c (letters by their upper-case form).
int key_for(QChar c, int fallback)
{
    if (c.unicode() == 8)
        return Qt::Key_Backspace;
    if (c.isPrint())
        return c.toUpper().unicode();
    return fallback;
}

} // namespace

bool brings_untyped_text(const QObject* watched, const QEvent* event)
{
    bool untyped = false;
    switch (event->type()) {
    case QEvent::KeyPress:
        untyped = edits_untyped(static_cast<const QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:  // the middle button pastes the selection
        untyped = static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton;
        break;
    case QEvent::InputMethod: {
        const auto* im = static_cast<const QInputMethodEvent*>(event);
        untyped = !im->commitString().isEmpty() || !im->preeditString().isEmpty() || im->replacementLength() != 0;
        break;
    }
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        untyped = true;
        break;
    default:
        break;
    }
    const QLineEdit* edit = untyped ? edit_of(watched) : nullptr;
    return edit && !edit->isReadOnly();
}

KeyFilter::KeyFilter(QWidget* target, Handler handler) : QObject(target), handler_(std::move(handler))
{
    target->installEventFilter(this);
    QLineEdit* edit = edit_of(target);
    if (!edit)
        return;
    if (edit != target)
        edit->installEventFilter(this);  // the mouse and drops reach a combo box's edit field
    if (edit->isReadOnly())
        return;  // shown only: its text is there to read and copy
    for (QWidget* w : {target, static_cast<QWidget*>(edit)}) {
        w->setContextMenuPolicy(Qt::NoContextMenu);
        w->setAcceptDrops(false);
        w->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    edit->setDragEnabled(false);
}

QString KeyFilter::judge(const QString& text) const
{
    QString out;
    for (const QChar c : text) {
        const int code = handler_ ? handler_(c.unicode()) : c.unicode();
        if (code > 0 && code <= 0xFFFF)
            out += QChar(char16_t(code));
    }
    return out;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (resending_)
        return false;
    if (brings_untyped_text(watched, event))
        return true;
    if (event->type() != QEvent::KeyPress || watched != parent())
        return false;
    auto* k = static_cast<QKeyEvent*>(event);
    if (never_judged(k))
        return false;
    const QString typed = k->text();
    const QString text = judge(typed);
    if (text == typed)
        return false;
    if (text.isEmpty())
        return true;
    // Type the replacement instead: a new key event with the new text.
    QKeyEvent again(QEvent::KeyPress, text.size() == 1 ? key_for(text[0], k->key()) : k->key(), k->modifiers(), text,
                    k->isAutoRepeat(), ushort(text.size()));
    resending_ = true;
    QCoreApplication::sendEvent(watched, &again);
    resending_ = false;
    return true;
}

KeyFilter* install_key_filter(QWidget* w, KeyFilter::Handler handler)
{
    return new KeyFilter(w, std::move(handler));
}
