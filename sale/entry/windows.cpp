#include "movtik_entry.h"
#include "sale/windows.h"

void register_sale_windows(App& app)
{
    app.register_window(QStringLiteral("movtik"), [](App& a) -> QWidget* {
        auto* w = new movtik_entry(a);
        w->Form_Load();
        return w;
    });
}
