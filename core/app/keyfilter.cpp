#include "keyfilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

KeyFilter::KeyFilter(QWidget* target, Handler handler) : QObject(target), handler_(std::move(handler))
{
    target->installEventFilter(this);
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

namespace {

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

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (resending_)
        return false;
    if (event->type() == QEvent::KeyPress) {
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
        QKeyEvent again(QEvent::KeyPress, text.size() == 1 ? key_for(text[0], k->key()) : k->key(),
                        k->modifiers(), text, k->isAutoRepeat(), ushort(text.size()));
        resending_ = true;
        QCoreApplication::sendEvent(watched, &again);
        resending_ = false;
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->commitString().isEmpty()) {
            const QString text = judge(im->commitString());
            if (text != im->commitString())
                im->setCommitString(text, im->replacementStart(), im->replacementLength());
        }
    }
    return false;
}

KeyFilter* install_key_filter(QWidget* w, KeyFilter::Handler handler)
{
    return new KeyFilter(w, std::move(handler));
}
