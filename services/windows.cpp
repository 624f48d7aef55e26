#include "windows.h"
#include "services/movprm.h"

void register_services_windows(App& app)
{
    app.register_window(QStringLiteral("movprm"), [](App& a) -> QWidget* { return new movprm(a); });
}
