#include "windows.h"
#include "permisos.h"
#include "usuarios.h"
#include "usuarios_e.h"

void register_admin_windows(App& app)
{
    // Users and their menu permissions.
    app.register_window(QStringLiteral("usuarios"), [](App& a) -> QWidget* { return new usuarios(a); });
    app.register_window(QStringLiteral("usuarios_e"), [](App& a) -> QWidget* { return new usuarios_e(a); });
    app.register_window(QStringLiteral("permisos"), [](App& a) -> QWidget* { return new permisos(a); });
}
