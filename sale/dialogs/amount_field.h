#pragma once
// The amount field of the sale dialogs: one behaviour bound to the text box tx_mont of each
// dialog that takes an amount; the dialogs differ only in the pair of sale limits its key
// filter applies.
// - KeyPress: a key other than a digit, "." and Backspace is dropped and nothing else
//   happens; otherwise a selected text is cleared, the key goes through the key filter
//   mont_key (sale/entry/amount.h) with the limit pair as it stands at that key, and the
//   caret goes to the end of the text, where a key still kept is typed.
// - Change: whenever the text changes (a key, the filter, the dialog) it is regrouped with
//   mon_miles and the caret put at the end.
// - GotFocus: the whole text selected and the focus colour; LostFocus: white again.
// - Text that comes without a typed key (paste, drag and drop, undo, input methods) is
//   refused; the field never shows a message, never moves the focus, and leaves the check
//   of an amount against the limits to the dialog's Aceptar.
//
// How a dialog uses it: it builds tx_mont with SaleDialog::text_field and binds it once in
// its constructor,
//     mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_min, &LimVta::jug_max);
// It sets the field's text with setText (the reformat follows); an amount its Aceptar
// refuses goes to mont->refuse(). A dialog whose focus handler adds a step sets `entering`.
// A dialog with a KeyDown handler of its own sets it on bridge().attach(tx_mont).
#include "core/app/app.h"
#include "sale/entry/bridge.h"

#include <QObject>
#include <functional>

class QLineEdit;

class AmountField : public QObject {
    Q_OBJECT
public:
    // Owned by the field.
    AmountField(App& app, EntryBridge& bridge, QLineEdit* field, QString LimVta::*lo, QString LimVta::*hi);

    // What entering the field does, as a dialog's own step decides: select the whole text,
    // put the caret at the end with nothing selected, or neither (and no focus colour).
    enum class Entry { select_all, caret_end, refused };
    // The dialog's step run first when the field gets the focus; none: select all.
    std::function<Entry()> entering;

    int tx_mont_KeyPress(int KeyAscii);
    void tx_mont_Change();
    void tx_mont_GotFocus();
    void tx_mont_LostFocus();

    // A key typed for the field on another control of the dialog (a digit typed on a list):
    // it goes through the key filter like a key typed in the field and, when kept, lands at
    // the end of the text. The focus stays where it is.
    void type_key(int KeyAscii);

    // The focus to the field, its whole text selected and the focus colour (an amount
    // refused by Aceptar, corrected for the cashier to confirm or change).
    void enter_selected();
    // Aceptar's refusal of a stored amount outside the limits of a kind (as mon_range):
    // "Monto no es válido.", then the field offers the nearest acceptable amount, entered.
    void refuse(const QString& amount, int kind);

private:
    App& app_;
    QLineEdit* field_;
    QString LimVta::*lo_;
    QString LimVta::*hi_;
};
