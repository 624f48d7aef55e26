#pragma once
// "Permisos - Usuario: ... (Tovaren)": which of the ten guarded menu options the users
// list's selected user may use. A ticked option is allowed; the unticked ones are stored
// as the user's denied codes and hide their menu items at his next login. A denied code is
// matched without the blanks around it, as the login matches it; one of a menu this program
// does not have is stored again as it came.
#include "onoff_list.h"

class permisos : public onoff_list {
    Q_OBJECT
public:
    explicit permisos(App& app);

private:
    void Form_Load();
    // The user served: the trimmed "Usuario" cell of the users list's selected row.
    QString usuario() const;
    bool remove_all() override;
    bool store_off(const QString& code) override;
};
