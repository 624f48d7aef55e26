#include "movdpo.h"
#include "edit_fields.h"
#include "placed.h"
#include "core/shared/server_date.h"
#include "core/shared/twips.h"

QDate dpo_date(const QVariant& fecmov)
{
    if (fecmov.metaType().id() == QMetaType::QDate)
        return fecmov.toDate();
    if (fecmov.metaType().id() == QMetaType::QDateTime)
        return fecmov.toDateTime().date();
    return to_date(fecmov.toString()).value_or(QDate());
}

movdpo::movdpo(App& app)
    : list_window(app, QStringLiteral("movdpo"), QStringLiteral("menudpo"), QStringLiteral("movdpo_e"))
{
    setWindowTitle(QStringLiteral("Pagos a la Banca"));
    lista->setGeometry(tw_rect(150, 150, 7600, 3500));
    b_incluir->setGeometry(tw_rect(200, 3820, 1200, 380));
    b_modificar->setGeometry(tw_rect(1500, 3820, 1200, 380));
    b_eliminar->setGeometry(tw_rect(2800, 3820, 1200, 380));
    b_salir->setGeometry(tw_rect(6550, 3820, 1200, 380));
    setTabOrder(lista, b_incluir);
    setTabOrder(b_incluir, b_modificar);
    setTabOrder(b_modificar, b_eliminar);
    setTabOrder(b_eliminar, b_salir);
    resize(tw(7900), tw(4350));

    // Load.
    place_by_screen(this, {700, 600}, {1800, 1300});
    set_columns({{QStringLiteral("Fecha"), 1500},
                 {QStringLiteral("Cuenta Bancaria"), 2000},
                 {QStringLiteral("Número"), 1500},
                 {QStringLiteral("Monto"), 1500, true}});
    lst_dpo();
}

const DpoRow* movdpo::deposit() const
{
    const int pos = selected_pos();
    return pos >= 0 && pos < rows_.size() ? &rows_[pos] : nullptr;
}

void movdpo::lst_dpo()
{
    const DpoList l = dspdpo(app_, app_.ses_val.cod_ven);
    if (!l.ok) {
        // Until the window is opened again; the pop-up items and the double click still try.
        for (QPushButton* b : {b_incluir, b_modificar, b_eliminar})
            b->setEnabled(false);
        return;
    }
    rows_ = l.rows;
    const MonCtx mon = app_.mon();
    QList<QStringList> cells;
    for (const DpoRow& d : rows_)
        cells << QStringList{d.fecmov.toString(), d.codbco, d.numero, dpo_monto_text(mon, d.monto)};
    set_rows(cells);
    set_width(1, rows_.size() > 10 ? 2760 : 3020);
}

void movdpo::b_incluir_Click()
{
    incluir();
}

void movdpo::b_modificar_Click()
{
    modificar();
}

void movdpo::b_eliminar_Click()
{
    eliminar([this] {
        // The deposit as received: its rounded "Monto" text could name another amount.
        const DpoRow d = *deposit();
        const QDate fecha = dpo_date(d.fecmov);
        const DpoAnswer a = actdpo(app_, QStringLiteral("3"), fecha.isValid() ? fecha.toString("yyyy-MM-dd") : QString(),
                                   app_.ses_val.cod_ven, unfilled(d.codbco), unfilled(d.numero), d.monto);
        if (!a.ok)
            return;
        if (a.code == 3)
            app_.msg(QStringLiteral("Registro ya procesado. No puede ser eliminado.") + QString(5, ' '),
                     plat::mb_exclamation);
        lst_dpo();
    });
}
