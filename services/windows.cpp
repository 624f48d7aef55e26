#include "windows.h"
#include "annul_window.h"

void register_services_windows(App& app)
{
    app.register_window("proatk", [](App& a) -> QWidget* { return new proatk(a); });
}
