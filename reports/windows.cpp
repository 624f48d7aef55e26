#include "windows.h"
#include "sales.h"

void register_reports_windows(App& app)
{
    app.register_window(QStringLiteral("repvtq"), [](App& a) -> QWidget* { return new repvtq(a); });
    app.register_window(QStringLiteral("repitx"), [](App& a) -> QWidget* { return new repitx(a); });
    app.register_window(QStringLiteral("repctq"), [](App& a) -> QWidget* { return new repctq(a); });
}
