#pragma once
// A stand-in for a window that is not built yet: its name, its caption and a "Salir" button.
#include "core/app/app.h"
#include "list_editor.h"

#include <QWidget>

class placeholder : public QWidget {
    Q_OBJECT
public:
    placeholder(App& app, const QString& name, const QString& caption, QWidget* parent = nullptr);

protected:
    App& app_;
};

// The users and deposits windows' stand-in: an empty list, so the list actions only
// say that there is nothing to act on.
class placeholder_list : public placeholder, public ListEditor {
    Q_OBJECT
public:
    using placeholder::placeholder;
    void b_incluir_Click() override {}
    void b_modificar_Click() override;
    void b_eliminar_Click() override;
    void b_permiso_Click() override;
};
