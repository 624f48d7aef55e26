#include "tertik.h"

#include <QLineEdit>

tertik::tertik(App& app)
    : SaleDialog(app, "tertik", QStringLiteral("Terminales"), {4905, 615}, {0, 2000}, {2000, 2000})
{
    Label2 = label("Label2", QStringLiteral("Monto:"), {800, 190, 800, 315});
    tx_mont = text_field("tx_mont", {1700, 100, 2000, 390});
    mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_min, &LimVta::jug_max);
    Form_Load();
}

QPoint tertik::place_for(int screen_twips)
{
    return place(screen_twips, {3500, 4000}, {2800, 2500});
}

void tertik::Form_Load()
{
    move(place_for(screen_twips()));
    tx_mont->clear();
    tx_mont->setFocus();
}

// An amount above 0 outside the limits is refused and brought to the nearest limit for the
// cashier to confirm; an empty or zero amount goes as "0" without a check.
void tertik::b_aceptar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_res = QStringLiteral("1");
    const MonCtx c = app_.mon();
    const QString m = mon_parse(c, tx_mont->text());
    if (mon_num(m) > 0 && !mon_range(c, m, 0)) {
        mont->refuse(m, 0);
        return;
    }
    d.dlg_mon = m.trimmed();
    unload();
}

void tertik::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_res.clear();
    d.dlg_mon.clear();
    unload();
}
