#pragma once
// Every way a user puts text into an entry field (a line edit or an editable combo box),
// or takes it out, other than typing, done as the user does it on X11: the key events carry the
// characters the platform gives them (Ctrl+V types "\x16"), the mouse lands on the edit
// field at the end of its text, a context menu that pops up is answered with its "Paste".
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <vector>

namespace untyped {

// Where the mouse and drops land: the line edit itself or the combo box's edit field.
inline QLineEdit* edit_of(QWidget* field)
{
    if (auto* box = qobject_cast<QComboBox*>(field))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(field);
}

inline QPoint text_end(const QLineEdit* e) { return {e->width() - 3, e->height() / 2}; }

// A key as X11 delivers it, with the control character it types.
inline void key(QWidget* field, Qt::Key k, Qt::KeyboardModifiers m, const QString& text = {})
{
    QTest::sendKeyEvent(QTest::Click, field, k, text, m);
}

struct Way {
    const char* name;
    std::function<void(QWidget* field, const QString& text)> put;
};

inline const std::vector<Way>& ways()
{
    static const std::vector<Way> all = {
        {"Ctrl+V",
         [](QWidget* f, const QString& t) {
             QGuiApplication::clipboard()->setText(t);
             key(f, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
         }},
        {"Shift+Insert",
         [](QWidget* f, const QString& t) {
             QGuiApplication::clipboard()->setText(t);
             key(f, Qt::Key_Insert, Qt::ShiftModifier);
         }},
        {"middle button",
         [](QWidget* f, const QString& t) {
             if (QGuiApplication::clipboard()->supportsSelection())
                 QGuiApplication::clipboard()->setText(t, QClipboard::Selection);
             QLineEdit* e = edit_of(f);
             QTest::mouseClick(e, Qt::MiddleButton, {}, text_end(e));
         }},
        {"context menu",
         [](QWidget* f, const QString& t) {
             QGuiApplication::clipboard()->setText(t);
             QLineEdit* e = edit_of(f);
             QContextMenuEvent ev(QContextMenuEvent::Mouse, text_end(e), e->mapToGlobal(text_end(e)));
             QApplication::sendEvent(e, &ev);
             if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                 for (QAction* a : menu->actions())
                     if (a->text().startsWith(QStringLiteral("&Paste")))
                         a->trigger();
                 menu->close();
             }
         }},
        {"drag and drop",
         [](QWidget* f, const QString& t) {
             QMimeData data;
             data.setText(t);
             QLineEdit* e = edit_of(f);
             const QPoint at = text_end(e);
             QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &enter);
             QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &move);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &drop);
         }},
        {"undo",
         [](QWidget* f, const QString&) { key(f, Qt::Key_Z, Qt::ControlModifier, QString(QChar(0x1A))); }},
        {"input method",
         [](QWidget* f, const QString& t) {
             QInputMethodEvent im;
             im.setCommitString(t);
             QApplication::sendEvent(f, &im);
         }},
        // Nothing committed, the character before the caret replaced: it is taken away.
        {"input method deleting",
         [](QWidget* f, const QString&) {
             QInputMethodEvent im;
             im.setCommitString(QString(), -1, 1);
             QApplication::sendEvent(f, &im);
         }},
    };
    return all;
}

} // namespace untyped
