#include "bridge.h"
#include "core/app/keyfilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The key code of a Qt key, as the handlers know it (0 for keys they never see).
int key_code(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: return key >= Qt::Key_0 && key <= Qt::Key_Z ? key : 0;
    }
}

int shift_state(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

CtlEvents& EntryBridge::attach(QWidget* ctl)
{
    if (auto it = ctls_.find(ctl); it != ctls_.end())
        return it->second;
    CtlEvents& ev = ctls_[ctl];
    install_key_filter(ctl, [bridge = QPointer<EntryBridge>(this), ctl](int c) {
        if (!bridge)
            return c;
        const auto& press = bridge->ctls_[ctl].key_press;
        return press ? press(c) : c;
    });
    ctl->installEventFilter(this);  // after the key filter: it sees every key first
    if (auto* box = qobject_cast<QComboBox*>(ctl); box && box->lineEdit()) {
        for (QWidget* part : {static_cast<QWidget*>(box->lineEdit()), static_cast<QWidget*>(box->view())}) {
            part->installEventFilter(this);
            parts_[part] = ctl;
        }
    } else if (auto* view = qobject_cast<QAbstractItemView*>(ctl)) {
        view->viewport()->installEventFilter(this);
        parts_[view->viewport()] = ctl;
    }
    return ev;
}

bool EntryBridge::dropped(const QComboBox* box)
{
    return box->view() && box->view()->isVisible();
}

bool EntryBridge::eventFilter(QObject* watched, QEvent* event)
{
    const auto part = parts_.find(watched);
    QWidget* ctl = part != parts_.end() ? part->second : static_cast<QWidget*>(watched);
    const auto found = ctls_.find(ctl);
    if (found == ctls_.end())
        return false;
    if (brings_untyped_text(watched, event))
        return true;  // as the key filter would, before any handler sees it
    CtlEvents& ev = found->second;
    auto* box = qobject_cast<QComboBox*>(ctl);
    const bool own = watched == ctl;
    const bool list = box && watched == box->view();
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The open list keeps Enter and Esc: it picks or closes, and no button presses.
        if (const int k = static_cast<QKeyEvent*>(event)->key();
            list && (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape))
            event->accept();
        return false;
    case QEvent::KeyPress:
        if (list && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && ev.key_down)
            return ev.key_down(32, shift_state(static_cast<QKeyEvent*>(event)->modifiers())) == 0;
        return own && key(ctl, ev, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        if (own)
            focus_in(ctl);
        return false;
    case QEvent::FocusOut:
        if (own)
            focus_out(ctl, static_cast<QFocusEvent*>(event)->reason());
        return false;
    case QEvent::Wheel:
        return box != nullptr;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (box) {
            // A press on the arrow opens the list.
            if (own && ev.drop_down && event->type() != QEvent::MouseButtonRelease) {
                if (event->type() == QEvent::MouseButtonPress)
                    ev.drop_down();
                return true;
            }
            return false;
        }
        if (!own && event->type() == QEvent::MouseButtonPress && ev.mouse_down)
            ev.mouse_down();
        return false;
    default:
        return false;
    }
}

bool EntryBridge::key(QWidget* ctl, CtlEvents& ev, QKeyEvent* k)
{
    if (qobject_cast<QComboBox*>(ctl)) {
        if (k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown)
            return true;
        const bool alt_arrow = (k->modifiers() & Qt::AltModifier) && (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down);
        if (ev.drop_down && (alt_arrow || (k->key() == Qt::Key_F4 && k->modifiers() == Qt::NoModifier))) {
            ev.drop_down();
            return true;
        }
    }
    const int code = key_code(k->key());
    return code != 0 && ev.key_down && ev.key_down(code, shift_state(k->modifiers())) == 0;
}

void EntryBridge::focus_in(QWidget* ctl)
{
    if (owner_ == ctl || !ctl->window()->isVisible())
        return;  // back from a message box, a modal window or the field's own list
    if (QWidget* was = owner_) {
        // The focus moved while the window was inactive: the control left first.
        owner_ = nullptr;
        if (const auto& lost = ctls_[was].lost_focus)
            lost();
        if (owner_ || QApplication::focusWidget() != ctl)
            return;  // its handler moved the focus on
    }
    owner_ = ctl;
    if (const auto& got = ctls_[ctl].got_focus)
        got();
}

void EntryBridge::focus_out(QWidget* ctl, Qt::FocusReason why)
{
    if (owner_ != ctl || why == Qt::ActiveWindowFocusReason || why == Qt::PopupFocusReason)
        return;
    // A field's list, once it pops up, takes the focus itself (the focus widget is already
    // the list here): the field is not left either.
    if (const auto part = parts_.find(QApplication::focusWidget()); part != parts_.end() && part->second == ctl)
        return;
    owner_ = nullptr;
    if (const auto& lost = ctls_[ctl].lost_focus)
        lost();
}
