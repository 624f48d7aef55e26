#include "windows.h"
#include "parsys.h"

void register_admin_windows(App& app)
{
    app.register_window("parsys", [](App& a) -> QWidget* { return new parsys(a); });
}
