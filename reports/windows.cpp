#include "windows.h"
#include "results.h"

void register_reports_windows(App& app)
{
    app.register_window(QStringLiteral("repvtq"), [](App& a) -> QWidget* { return new repvtq(a); });
    app.register_window(QStringLiteral("repitx"), [](App& a) -> QWidget* { return new repitx(a); });
    app.register_window(QStringLiteral("repctq"), [](App& a) -> QWidget* { return new repctq(a); });
    app.register_window(QStringLiteral("reprtq"), [](App& a) -> QWidget* { return new reprtq(a); });
    app.register_window(QStringLiteral("reprba"), [](App& a) -> QWidget* { return new reprba(a); });
    app.register_window(QStringLiteral("replup"), [](App& a) -> QWidget* { return new replup(a); });
}
