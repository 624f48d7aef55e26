#pragma once
// The annulment window proatk: the last ticket of the caja, refreshed on every return to
// the window, and the annulment of a typed ticket number.
#include "ticket_form.h"

class proatk : public TicketForm {
    Q_OBJECT
public:
    explicit proatk(App& app, QWidget* parent = nullptr);

    QLineEdit* tx_ultt;  // "Último:"
    QLineEdit* tx_fech;
    QLineEdit* tx_caja;
    QLineEdit* tx_mont;

    // Runs when the window becomes the active child of the main window, coming from
    // another window (not when a message box of its own closes).
    void Form_Activate();
    // Shows the caja's last ticket.
    void ult_tik();
    // Annuls the ticket typed in tx_numt, showing its header before the question.
    void b_procesar_Click() override;

private:
    bool active_ = false;  // the active child of the main window
};
