#pragma once
// "Usuarios": the outlet's users with their passwords and cajas. The supervisor (caja
// "00") sees them all and includes, modifies, deletes them and sets their menu
// permissions; any other user sees his own row and only changes his password.
#include "list_window.h"

class usuarios : public list_window {
    Q_OBJECT
public:
    explicit usuarios(App& app);

    QPushButton* b_permiso;

    void b_incluir_Click() override;
    void b_modificar_Click() override;
    void b_eliminar_Click() override;
    void b_permiso_Click() override;

    // The selected row's cells (as the server sent them): "Usuario" and "Caja".
    QString usuario() const;
    QString caja() const;

private:
    void load() override { lst_usr(); }
    void lst_usr();
    bool supervisor() const;
};
