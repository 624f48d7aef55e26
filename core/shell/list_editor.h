#pragma once
// The public procedures of a list window whose rows are edited through the main window's
// pop-up menus (users: menuusr, deposits: menudpo).
class ListEditor {
public:
    virtual ~ListEditor() = default;
    virtual void b_incluir_Click() = 0;
    virtual void b_modificar_Click() = 0;
    virtual void b_eliminar_Click() = 0;
    // Only the users window has permissions.
    virtual void b_permiso_Click() {}
};
