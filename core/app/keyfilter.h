#pragma once
// Key filters for entry fields, written the way the windows' KeyPress handlers are:
//
//     int tx_nume_KeyPress(int KeyAscii);
//
// The handler gets the character code of a typed key and answers the code to type:
// the same code lets the key through, another code types that character instead, 0 drops
// the key. Keys are judged on the text they would type (QKeyEvent::text()); keys that
// type nothing (arrows, Home, End, function keys) and Tab, Enter, Esc and Delete are never
// shown to the handler, so the default and cancel buttons and the focus chain keep
// working. Backspace is shown as 8 and other control characters (Ctrl+C = 3, Ctrl+X = 24)
// as their codes, so a handler that accepts only some characters also refuses keyboard
// copy and cut.
//
// A filtered field takes text only from typed keys, one at a time through its handler.
// Text that would arrive whole any other way is refused whole, never cut down to what the
// handler admits (a handler may act on what it is shown, and judges each key against the
// field as it stands): paste by keys (Ctrl+V, Shift+Insert, the Paste key), by the middle
// button or the context menu, drag and drop, undo and redo, and input-method text. The
// field has no context menu, neither starts nor takes a drag, and has input methods off,
// so that the keyboard's own characters arrive as typed keys. The same rule holds for
// every entry field of the program, the sale window's included.
//
// The filter watches a QLineEdit, an editable QComboBox (the combo box receives the keys
// of its edit field) or any other widget that types the text of its key events.
#include <QObject>
#include <QWidget>
#include <functional>

class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<int(int key_ascii)>;

    // Installs itself on target (and on a combo box's edit field) and is owned by target.
    KeyFilter(QWidget* target, Handler handler);

    // The text to type for text typed by a key, after the handler (empty: drop it).
    QString judge(const QString& text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
    bool resending_ = false;
};

// Installs a key filter on w; returns it (owned by w).
KeyFilter* install_key_filter(QWidget* w, KeyFilter::Handler handler);

// Whether the event would put text into an entry field (a line edit that is not read-only,
// or an editable combo box or its edit field) some other way than a typed key: the rule
// above, for a filter that sees the field's events before its key filter does.
bool brings_untyped_text(const QObject* watched, const QEvent* event);
