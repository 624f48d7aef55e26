#pragma once
// The repeat dialog reptik ("Repetir Jugadas"), opened by the sale window for play type R
// on a ticket with lines: the lotteries open for sale (the sale window's), up to 31 of them
// ticked, and an amount. Aceptar always hands the amount to the sale window in dlg_datos
// (dlg_mon, the stored amount, unchecked) and, with lotteries ticked, their codes in list
// order (dlg_lotsel, exactly those) and dlg_res "1", upon which the sale window asks the
// server to repeat the ticket's plays on them; with none ticked nothing follows. Cancelar
// leaves dlg_res and dlg_mon empty.
//
// A digit typed on the list goes to the end of the amount, through the amount field's key
// filter, and the field takes the focus with its caret after it; from its next entry on
// (also at a later opening) the field selects its whole text again (dlg_datos.flg_sel).
#include "amount_field.h"
#include "frame.h"
#include "sale/entry/check_list.h"

class reptik : public SaleDialog {
    Q_OBJECT
public:
    explicit reptik(App& app);

    QListWidget* lt_lote;
    QLabel* Label2;
    QLineEdit* tx_mont;
    CheckList* lote;    // lt_lote's ticks
    AmountField* mont;  // tx_mont's handlers, limits jug_menor and jug_mayor
    QStringList cod_lote;  // the code of each row's lottery

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    void lt_lote_ItemCheck(int row);
    void lt_lote_GotFocus();
    void lt_lote_LostFocus();
    int lt_lote_KeyPress(int KeyAscii);

private:
    void Form_Load();
};
