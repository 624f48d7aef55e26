#include "windows.h"
#include "movdpo.h"
#include "movdpo_e.h"
#include "parprn.h"
#include "parsys.h"
#include "permisos.h"
#include "sorteos.h"
#include "usuarios.h"
#include "usuarios_e.h"

void register_admin_windows(App& app)
{
    app.register_window("parsys", [](App& a) -> QWidget* { return new parsys(a); });
    // Without an installed printer the window says so and is not loaded.
    app.register_window("parprn", [](App& a) -> QWidget* {
        auto* w = new parprn(a);
        if (w->loaded())
            return w;
        delete w;
        return nullptr;
    });
    // Users and their menu permissions, the lotteries offered, the bank deposits.
    app.register_window("usuarios", [](App& a) -> QWidget* { return new usuarios(a); });
    app.register_window("usuarios_e", [](App& a) -> QWidget* { return new usuarios_e(a); });
    app.register_window("permisos", [](App& a) -> QWidget* { return new permisos(a); });
    app.register_window("sorteos", [](App& a) -> QWidget* { return new sorteos(a); });
    app.register_window("movdpo", [](App& a) -> QWidget* { return new movdpo(a); });
    app.register_window("movdpo_e", [](App& a) -> QWidget* { return new movdpo_e(a); });
}
