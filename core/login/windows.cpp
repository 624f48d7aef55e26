#include "windows.h"
#include "core/login/conexion.h"

void register_login_windows(App& app)
{
    app.register_window("conexion", [](App& a) -> QWidget* { return new conexion(a); });
}
