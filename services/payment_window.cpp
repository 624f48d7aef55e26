#include "payment_window.h"
#include "procs_tickets.h"
#include "core/shared/justify.h"

#include <QLineEdit>
#include <QLocale>

namespace {

const QString k5(5, u' ');

} // namespace

proptk::proptk(App& app, QWidget* parent)
    : TicketForm(app, "proptk", QStringLiteral("Pago de Tickets"),
                 {{"label3", "Serial:", "tx_numt", 2000},
                  {"Label1", "Fecha:", "tx_fech", 2000},
                  {"Label4", "Caja: ", "tx_caja", 1000},
                  {"Label5", "Monto:", "tx_mont", 2000},
                  {"Label6", "Premio:", "tx_prem", 2000}},
                 parent),
      tx_fech(fields_[1]), tx_caja(fields_[2]), tx_mont(fields_[3]), tx_prem(fields_[4])
{
}

void proptk::b_procesar_Click()
{
    const QString serial = pad_left(tx_numt->text(), 8, QStringLiteral("0"));
    tx_numt->setText(serial);
    const TixHeader h = dsptix(app_, serial);
    if (!h.ok)
        return;
    const auto warn = [this](const char* text) { app_.msg(QString::fromUtf8(text) + k5, plat::mb_exclamation); };
    const auto fill = [&] {
        tx_fech->setText(h.fecmov);
        tx_caja->setText(h.iduser);
        tx_mont->setText(mon_show(app_.mon(), h.total));
        tx_prem->setText(mon_show(app_.mon(), h.premio));
    };
    // Whether the run got an answer to show: not after a lost connection at the payment.
    const bool answered = [&] {
        switch (h.code) {
        case 1: warn("Ticket no existe."); return true;
        case 3: warn("Ticket anulado."); return true;
        case 4:
            fill();
            warn("Ticket ya está cancelado.");
            return true;
        case 5: warn("Ticket vencido."); return true;
        case 2: break;
        default: warn("Ticket no ha sido procesado."); return true;
        }
        if (h.codven != app_.ses_val.cod_ven) {
            warn("Ticket no pertenece a esta tovaren. No puede ser cancelado.");
            return true;
        }
        fill();
        if (QLocale::c().toDouble(trim_blanks(h.premio)) <= 0) {
            warn("Ticket no tiene premios.");
            return true;
        }
        if (app_.msg(QStringLiteral("¿Desea cancelar el ticket?") + k5, plat::mb_okcancel | plat::mb_question) !=
            plat::ans_ok)
            return true;
        const PayAnswer a = pagtix(app_, h.key, app_.ses_val.cod_ven, app_.ses_val.cod_caj);
        if (!a.ok)
            return false;
        if (a.code == 0)
            app_.msg(QStringLiteral("Ticket cancelado.") + k5, plat::mb_information);
        else
            warn("Ticket no puede ser cancelado.");
        return true;
    }();
    if (answered)
        for (QLineEdit* f : {tx_numt, tx_fech, tx_caja, tx_mont, tx_prem})
            f->clear();
}
