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
// working. Backspace is shown as 8 and other control characters (Ctrl+C = 3, Ctrl+V = 22,
// Ctrl+X = 24) as their codes, so a handler that accepts only some characters also
// refuses keyboard copy and paste. Text committed by an input method is filtered the same
// way, character by character.
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

    // Installs itself on target and is owned by it.
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
