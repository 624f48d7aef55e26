#pragma once
// The sign dialogs, opened by the sale window for play type Z by the family of the ticked
// lotteries: signos ("Zodiacal": "Todos" and the twelve signs) and signos2 ("Cacho": the
// three cacho kinds). The cashier ticks signs, types a number and an amount; each accepted
// Enter leaves the flags, the number and the amount in dlg_datos and has the sale window
// register the plays (zod_tik, zod_tik2), and the dialog stays open for the next number
// with the signs and the amount kept. Esc (or a close through the frame) leaves it, the
// plays already registered staying on the ticket.
//
// The number: digits, and "*" or "P" ("p" taken as "P") as its first character only; at
// most 3 characters, 4 after "P". The cacho dialog's number field takes digits only, at
// most 3; keys typed on the list go to the number by the first rule in both dialogs.
#include "amount_field.h"
#include "frame.h"

class QListWidget;

// What a key does to a sign play's number, given its text before the key: the character
// to append (the key, "p" as "P"), 8 to take the last character off, or 0 when refused.
// digits_only: the rule of the cacho dialog's number field.
int sign_key(const QString& text, int key, bool digits_only);

class signos : public SaleDialog {
    Q_OBJECT
public:
    explicit signos(App& app);

    QListWidget* lt_signos;  // "Todos" and the signs; the cacho kinds
    QLabel* Label2;
    QLineEdit* tx_nume;
    QLabel* Label1;
    QLineEdit* tx_mont;
    AmountField* mont;       // tx_mont's handlers, limits jug_miz and jug_maz

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    void lt_signos_ItemCheck(int item);
    int lt_signos_KeyPress(int KeyAscii);
    void lt_signos_GotFocus();
    void lt_signos_LostFocus();
    int tx_nume_KeyPress(int KeyAscii);
    void tx_nume_GotFocus();
    void tx_nume_LostFocus();

protected:
    signos(App& app, bool cacho);

private:
    void Form_Load();
    bool checked(int row) const;
    void set_checked(int row, bool on);

    const bool cacho_;
    bool flg_lst = false;  // a key typed on the list went to the number
};

class signos2 : public signos {
    Q_OBJECT
public:
    explicit signos2(App& app) : signos(app, true) {}
};
