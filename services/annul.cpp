#include "annul.h"
#include "sale/ticket/procs.h"

namespace {

const QString k5(5, u' ');

// The refusal of the server's status; empty when it raises no objection.
QString status_refusal(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Ticket no existe.");
    case 2:
    case 4: return QStringLiteral("Ticket procesado. No puede ser anulado.");
    case 5: return QStringLiteral("Ticket no puede ser anulado.");
    case 3: return QStringLiteral("Ticket ya está anulado.");
    default: return {};
    }
}

// The refusal of the outlet and caja checks; empty when the ticket may be annulled here.
QString owner_refusal(const TikHeader& h, const SesVal& s)
{
    if (h.codven != s.cod_ven)
        return QStringLiteral("Ticket no pertenece a esta tovaren. No puede ser anulado.");
    if (s.cod_caj != QLatin1String("00") && h.iduser != s.cod_caj)
        return QStringLiteral("Ticket no pertenece a esta caja. No puede ser anulado.");
    return {};
}

} // namespace

void anular_ticket(App& app, const AnnulPath& path)
{
    // Whether the run got an answer to show: not after a lost connection.
    const bool answered = [&] {
        const TikHeader h = dsptik(app, path.numtik);
        if (!h.ok)
            return false;
        QString refusal = status_refusal(h.code);
        if (refusal.isEmpty())
            refusal = owner_refusal(h, app.ses_val);
        if (!refusal.isEmpty()) {
            app.msg(refusal + k5, plat::mb_exclamation);
            return true;
        }
        if (path.show_header)
            path.show_header(h);
        if (app.msg(QStringLiteral("¿Desea anular el ticket?") + k5, plat::mb_okcancel | plat::mb_question) !=
            plat::ans_ok)
            return true;
        const AnnulAnswer a = anutix(app, path.numtik, app.ses_val.cod_ven, app.ses_val.cod_caj);
        if (!a.ok)
            return false;
        if (a.code == 0) {
            app.msg(QStringLiteral("Ticket anulado.") + k5, plat::mb_information);
            return true;
        }
        app.msg(QStringLiteral("Ticket no puede ser anulado.") + k5, plat::mb_exclamation);
        return true;
    }();
    if (answered && path.after)
        path.after();
    app.dlg.set_pointer(plat::ptr_default);
}
