#include "movtik.h"
#include "sale/windows.h"

void register_sale_windows(App& app)
{
    app.register_window(QStringLiteral("movtik"), [](App& a) -> QWidget* {
        auto* w = new movtik(a);
        w->Form_Load();
        return w;
    });
}
