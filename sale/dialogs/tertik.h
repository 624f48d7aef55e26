#pragma once
// The terminals dialog tertik ("Terminales"), opened by the sale window for play type T on
// a ticket with lines: one amount, checked against the number plays' limits and handed to
// the sale window in dlg_datos (dlg_res "1" and dlg_mon the stored amount; both "" when
// cancelled), which then asks the server for the terminals of the ticket's triples.
#include "amount_field.h"
#include "frame.h"

class tertik : public SaleDialog {
    Q_OBJECT
public:
    explicit tertik(App& app);

    QLabel* Label2;
    QLineEdit* tx_mont;
    AmountField* mont;  // tx_mont's handlers, limits jug_min and jug_max

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;

private:
    void Form_Load();
};
