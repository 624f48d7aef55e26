#include "windows.h"
#include "annul_window.h"
#include "inquiry_window.h"
#include "movprm.h"
#include "payment_window.h"

void register_services_windows(App& app)
{
    app.register_window("movprm", [](App& a) -> QWidget* { return new movprm(a); });
    app.register_window("proatk", [](App& a) -> QWidget* { return new proatk(a); });
    app.register_window("proptk", [](App& a) -> QWidget* { return new proptk(a); });
    app.register_window("contix", [](App& a) -> QWidget* { return new contix(a); });
}
