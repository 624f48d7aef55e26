#pragma once
// The payment window proptk: a winning ticket typed by its serial is shown and, once the
// cashier confirms, paid by the server ("cancelar" a ticket is paying it).
#include "ticket_form.h"

class proptk : public TicketForm {
    Q_OBJECT
public:
    explicit proptk(App& app, QWidget* parent = nullptr);

    QLineEdit* tx_fech;
    QLineEdit* tx_caja;
    QLineEdit* tx_mont;
    QLineEdit* tx_prem;

    // Looks the serial up, checks status, outlet and prize, asks, pays; then empties the
    // five fields (after a lost connection they keep what they show).
    void b_procesar_Click() override;
};
