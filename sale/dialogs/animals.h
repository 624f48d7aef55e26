#pragma once
// What the three animal dialogs (simbol, simbold, simbolt, all "Animalitos") share: lists of
// the 32 animals of tab_ani, filled only when dlg_datos.cod_rul is 1; digits and Backspace
// typed on a list editing the amount; and Aceptar's check of the amount against the animal
// plays' limits (jug_mis, jug_mas). Each dialog hands its choice to one of the sale window's
// animal play procedures (sim_tik, dbl_tik, mor_tik) in dlg_datos.
//
// No play type, menu or window opens them: a caller would show one by its registry name
// over the sale window, with cod_rul set to 1 first, or the lists stay empty.
#include "amount_field.h"
#include "frame.h"

class QListWidget;

class AnimalDialog : public SaleDialog {
    Q_OBJECT
public:
    QLabel* Label1;
    QLineEdit* tx_mont;
    AmountField* mont;  // tx_mont's handlers, limits jug_mis and jug_mas

    // The code of the animal of a row: "01" for row 0 to "32" for row 31.
    static QString ani_code(int row);
    // The last ticked row among the animals' 32, -1 with none.
    static int last_ticked(const QListWidget* list);

protected:
    // The frame with the amount field and its label; the buttons lie below the client area.
    AnimalDialog(App& app, const char* name, QSize client, QRect label_at, QPoint mont_at);

    // An animal list at that place, filled as cod_rul says, nothing ticked; the focus
    // colours and the keys typed on it bound.
    QListWidget* animal_list(const char* name, QRect at);

    // A key typed on a list: a digit joins the end of the amount, through its key filter,
    // while the list has a ticked row; Backspace takes the amount's last character; both are
    // dropped, the focus stays on the list. Any other key is the list's (Space ticks and
    // unticks).
    int lt_simbol_KeyPress(QListWidget* list, int KeyAscii);

    // Aceptar's amount: within the limits it goes to dlg_mon as parsed and the field shows
    // that amount; outside them it is refused (the message, the nearest amount offered).
    bool take_amount();
};
