#include "windows.h"
#include "parprn.h"
#include "parsys.h"

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
}
