#pragma once
// "Pagos a la Banca": the outlet's bank deposits, to include, modify and delete.
#include "list_window.h"
#include "procs_deposits.h"

class movdpo : public list_window {
    Q_OBJECT
public:
    explicit movdpo(App& app);

    void b_incluir_Click() override;
    void b_modificar_Click() override;
    void b_eliminar_Click() override;

    // The selected deposit as the server sent it; null while the list has no rows.
    const DpoRow* deposit() const;

private:
    void load() override { lst_dpo(); }
    void lst_dpo();

    QList<DpoRow> rows_;  // the deposits as received, one per list row
};

// The date of a deposit as the server sent it (a date, or a text the server dates are
// written in); invalid when it is neither.
QDate dpo_date(const QVariant& fecmov);
