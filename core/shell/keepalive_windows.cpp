#include "keepalive_windows.h"
#include "mensajes.h"
#include "report.h"

void register_keepalive_windows(App& app)
{
    app.register_window(QStringLiteral("mensaje"), [](App& a) -> QWidget* { return new mensaje(a); });
    app.register_window(QStringLiteral("mensajes"), [](App& a) -> QWidget* { return new mensajes(a); });
    app.register_window(QStringLiteral("reporte"), [](App& a) -> QWidget* { return new reporte(a); });
}
