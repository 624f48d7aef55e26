#include "windows.h"
#include "movdpo.h"
#include "movdpo_e.h"
#include "permisos.h"
#include "sorteos.h"
#include "usuarios.h"
#include "usuarios_e.h"

void register_admin_windows(App& app)
{
    // Users and their menu permissions, the lotteries offered, the bank deposits.
    app.register_window(QStringLiteral("usuarios"), [](App& a) -> QWidget* { return new usuarios(a); });
    app.register_window(QStringLiteral("usuarios_e"), [](App& a) -> QWidget* { return new usuarios_e(a); });
    app.register_window(QStringLiteral("permisos"), [](App& a) -> QWidget* { return new permisos(a); });
    app.register_window(QStringLiteral("sorteos"), [](App& a) -> QWidget* { return new sorteos(a); });
    app.register_window(QStringLiteral("movdpo"), [](App& a) -> QWidget* { return new movdpo(a); });
    app.register_window(QStringLiteral("movdpo_e"), [](App& a) -> QWidget* { return new movdpo_e(a); });
}
