#include "results.h"
#include "core/app/keyfilter.h"
#include "core/shared/justify.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

namespace {

int upper(int KeyAscii) { return QChar(char16_t(KeyAscii)).toUpper().unicode(); }

} // namespace

reprtq::reprtq(App& app)
    : rep_days_caja(app, QStringLiteral("reprtq"), QStringLiteral("Reporte - Resultados Tovaren"))
{
    tx_stat = add_combo("tx_stat", "Status:", true);
    install_key_filter(tx_stat, &reprtq::tx_stat_KeyPress);
    place();
    Form_Load();
}

void reprtq::Form_Load()
{
    rep_days_caja::Form_Load();
    // The status list needs nothing of the server: filled whatever getcaj answered.
    tx_stat->addItems({QStringLiteral("TODOS     "), QStringLiteral("PAGADOS   "), QStringLiteral("NO PAGADOS")});
    tx_stat->setCurrentIndex(0);
}

int reprtq::tx_stat_KeyPress(int KeyAscii) { return upper(KeyAscii); }

int reprtq::status(const QString& text)
{
    if (text.startsWith(u'T'))
        return 2;
    return text.startsWith(u'P') ? 1 : 0;
}

bool reprtq::gen_rep()
{
    const auto rows = sp::reprtq(app_, args(), status(tx_stat->currentText()));
    if (!rows.ok)
        return false;
    // No winning ticket: nothing is written, the buffer keeps the last report.
    if (rows.rows.isEmpty()) {
        app_.buf_rep.flg_nodat = 1;
        return true;
    }
    return keep(lay_reprtq(head(), range(tx_desd, tx_hast), caja_label(), rows.rows), true);
}

reprba::reprba(App& app) : rep_frame(app, QStringLiteral("reprba"), QStringLiteral("Reporte - Resultados Banca"))
{
    tx_desd = add_date("tx_desd", "Desde:");
    tx_hast = add_date("tx_hast", "Hasta:");
    tx_modo = add_combo("tx_modo", "Modo:", false);
    tx_lote = add_combo("tx_lote", "Lotería:", true);
    // The procedure takes 15 characters of it.
    tx_lote->lineEdit()->setMaxLength(15);
    install_key_filter(tx_modo, &reprba::tx_modo_KeyPress);
    install_key_filter(tx_lote, &reprba::tx_lote_KeyPress);
    connect(tx_modo, &QComboBox::activated, this, &reprba::tx_modo_Click);
    place();
    Form_Load();
}

void reprba::Form_Load()
{
    set_dates(app_, {tx_desd, tx_hast});
    tx_modo->addItems({QStringLiteral("TOTALES"), QStringLiteral("LOTERIAS")});
    tx_modo->setCurrentIndex(0);
    const sp::Rows<QString> names = sp::dspsrx(app_, app_.ses_val.cod_ven);
    if (!names.ok)
        return;
    tx_lote->addItems(names.rows);
    tx_lote->setCurrentIndex(-1);
    tx_lote->setEnabled(false);
}

void reprba::tx_modo_Click()
{
    tx_lote->setCurrentIndex(-1);
    tx_lote->clearEditText();
    tx_lote->setEnabled(trim_blanks(tx_modo->currentText()) == QLatin1String("LOTERIAS"));
}

int reprba::tx_modo_KeyPress(int) { return 0; }
int reprba::tx_lote_KeyPress(int KeyAscii) { return upper(KeyAscii); }

void reprba::bt_emitir_Click()
{
    flg_imp = false;
    rep_frame::bt_emitir_Click();
}

void reprba::bt_imprimir_Click()
{
    flg_imp = true;
    rep_frame::bt_imprimir_Click();
}

bool reprba::gen_rep()
{
    const int modo = trim_blanks(tx_modo->currentText()) == QLatin1String("LOTERIAS") ? 1 : 0;
    const sp::RepArgs a{day(tx_desd), day(tx_hast), app_.ses_val.cod_ven, QString()};
    const auto rows = sp::reprbx(app_, a, trim_blanks(tx_lote->currentText()), modo);
    return rows.ok && keep(lay_reprba(head(), range(tx_desd, tx_hast), modo, flg_imp, rows.rows), true);
}

replup::replup(App& app) : rep_frame(app, QStringLiteral("replup"), QStringLiteral("Reporte - Cuadre de Cuentas"))
{
    tx_desde = add_date("tx_desde", "Desde:");
    tx_hasta = add_date("tx_hasta", "Hasta:");
    place();
    Form_Load();
}

void replup::Form_Load() { set_dates(app_, {tx_desde, tx_hasta}); }

bool replup::gen_rep()
{
    const auto rows = sp::replut(app_, day(tx_desde), day(tx_hasta), app_.ses_val.cod_ven);
    return rows.ok && keep(lay_replup(head(), range(tx_desde, tx_hasta), rows.rows), true);
}
