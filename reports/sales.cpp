#include "sales.h"

#include <QComboBox>
#include <QDateEdit>

rep_days_caja::rep_days_caja(App& app, const QString& name, const QString& caption) : rep_frame(app, name, caption)
{
    tx_desd = add_date("tx_desd", "Desde:");
    tx_hast = add_date("tx_hast", "Hasta:");
    tx_caja = add_caja();
}

void rep_days_caja::Form_Load()
{
    set_dates(app_, {tx_desd, tx_hast});
    car_caj(tx_caja, true);
}

sp::RepArgs rep_days_caja::args() const
{
    const QString caja = tx_caja->currentText();
    return {day(tx_desd), day(tx_hast), app_.ses_val.cod_ven, caja == QLatin1String("TODAS") ? QStringLiteral("  ") : caja};
}

QString rep_days_caja::caja_label() const { return tx_caja->currentText(); }

repvtq::repvtq(App& app) : rep_days_caja(app, QStringLiteral("repvtq"), QStringLiteral("Reporte - Ventas Tovaren"))
{
    place();
    Form_Load();
}

bool repvtq::gen_rep()
{
    const sp::RepArgs a = args();
    const auto sales = sp::repvtq(app_, a);
    if (!sales.ok)
        return false;
    // A lost connection at the annulled tickets leaves the sales in the buffer, unshown.
    const auto annulled = sp::reptan(app_, a);
    return keep(lay_repvtq(head(), range(tx_desd, tx_hast), caja_label(), sales.rows,
                           annulled.ok ? &annulled.rows : nullptr),
                annulled.ok);
}

repitx::repitx(App& app)
    : rep_days_caja(app, QStringLiteral("repitx"), QStringLiteral("Reporte - Impuesto Municipal"))
{
    place();
    Form_Load();
}

bool repitx::gen_rep()
{
    const auto taxes = sp::repitx(app_, args());
    return taxes.ok && keep(lay_repitx(head(), range(tx_desd, tx_hast), caja_label(), taxes.rows), true);
}

repctq::repctq(App& app) : rep_frame(app, QStringLiteral("repctq"), QStringLiteral("Reporte - Cuadre de Caja"))
{
    tx_fech = add_date("tx_fech", "Fecha:");
    tx_caja = add_caja();
    place();
    Form_Load();
}

void repctq::Form_Load()
{
    set_dates(app_, {tx_fech});
    car_caj(tx_caja, false);
}

bool repctq::gen_rep()
{
    // The caja goes as typed: this report has no "TODAS".
    const QString caja = tx_caja->currentText();
    const sp::RepArgs a{day(tx_fech), day(tx_fech), app_.ses_val.cod_ven, caja};
    const auto sales = sp::repvtq(app_, a);
    if (!sales.ok)
        return false;
    const bool con_imp = app_.ses_val.por_imp > 0;
    sp::Rows<TaxRow> taxes;
    if (con_imp) {
        taxes = sp::repitx(app_, a);
        if (!taxes.ok)
            return false;
    }
    // A lost connection at the paid prizes leaves the head and the sales in the buffer, unshown.
    const auto paid = sp::reptaq(app_, a);
    return keep(lay_repctq(head(), tx_fech->date(), caja, sales.rows, con_imp ? &taxes.rows : nullptr,
                           paid.ok ? &paid.rows : nullptr),
                paid.ok);
}
