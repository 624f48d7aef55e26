#include "annul_window.h"
#include "annul.h"
#include "core/shared/justify.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

proatk::proatk(App& app, QWidget* parent)
    : TicketForm(app, "proatk", QStringLiteral("Anulación de Tickets"),
                 {{"Label2", "Último:", "tx_ultt", 2000},
                  {"label3", "Ticket:", "tx_numt", 2000},
                  {"Label1", "Fecha:", "tx_fech", 2000},
                  {"Label4", "Caja: ", "tx_caja", 1000},
                  {"Label5", "Monto:", "tx_mont", 2000}},
                 parent),
      tx_ultt(fields_[0]), tx_fech(fields_[2]), tx_caja(fields_[3]), tx_mont(fields_[4])
{
    if (!app.mdi)
        return;
    // A box closing may leave the area without an active child for a moment: only a
    // change between children counts.
    connect(app.mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (!sub)
            return;
        const bool mine = sub->widget() == this;
        if (mine && !active_) {
            active_ = true;
            Form_Activate();
        }
        active_ = mine;
    });
}

void proatk::Form_Activate()
{
    repaint();
    ult_tik();
}

void proatk::ult_tik()
{
    const LastTicket last = dsputk(app_, app_.ses_val.cod_ven, app_.ses_val.cod_caj);
    if (!last.ok)
        return;
    if (last.numtik > 0) {
        tx_ultt->setText(pad_left(QString::number(last.numtik), 8, QStringLiteral("0")));
        tx_ultt->setSelection(0, int(tx_ultt->text().size()));
    } else {
        tx_ultt->clear();
    }
}

void proatk::b_procesar_Click()
{
    const QString numero = pad_left(tx_numt->text(), 8, QStringLiteral("0"));
    tx_numt->setText(numero);
    AnnulPath path;
    path.numtik = numero.toLongLong();
    path.show_header = [this](const TikHeader& h) {
        tx_fech->setText(h.fecmov);
        tx_caja->setText(h.iduser);
        tx_mont->setText(mon_show(app_.mon(), h.total));
    };
    path.after = [this] {
        for (QLineEdit* f : {tx_numt, tx_fech, tx_caja, tx_mont})
            f->clear();
    };
    anular_ticket(app_, path);
}
