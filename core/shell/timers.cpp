#include "timers.h"
#include "core/app/rule.h"
#include "core/shared/server_date.h"
#include "mensajes.h"
#include "procs.h"

#include <QDate>
#include <QPointer>

namespace {

// Probes the server once; when the probe fails, reopens the connection quietly and probes
// again. Sets flg_nocox from the outcome; once the server answered, what waited for it is
// sent. No message, no pointer change.
void keep_alive(App& app)
{
    if (stacox(app) || (cox_reconnect(app) && stacox(app)))
        app.cox_up();
    else
        app.flg_nocox = 1;
}

// Reads an answered value as text; a null value leaves target as it was.
void read_out(const QVariant& v, QString& target)
{
    if (!v.isNull() && v.isValid())
        target = v.toString();
}

// Asks the server once for a message waiting for the outlet and shows it. While the
// message window is already open (a tick inside it), only its text changes.
void poll(App& app)
{
    auto& m = app.men_srv;
    m.men_cod = QStringLiteral("0");
    const MenAnswer a = getmen(app, app.ses_val.cod_ven);
    if (a.ok) {
        read_out(a.count, m.men_cod);
        read_out(a.fecha, m.men_fec);
        read_out(a.hora, m.men_hor);
        read_out(a.texto, m.men_txt);
    }

    if (m.men_cod.trimmed().toLongLong() <= 0)
        return;
    QPointer<mensaje> w = app.win<mensaje>(QStringLiteral("mensaje"));
    if (!w)
        return;
    w->texto->setPlainText(men_text(m.men_fec, m.men_hor, m.men_txt));
    if (!w->isVisible())
        w->exec();  // the tick waits here; further ticks run inside
}

} // namespace

QString men_text(const QString& fecha, const QString& hora, const QString& texto)
{
    // A date the server's forms do not fit is shown as it came.
    const auto d = to_date(fecha);
    const QString shown = d ? d->toString(QStringLiteral("dd-MM-yyyy")) : fecha;
    return QStringLiteral("Fecha : ") + shown + QStringLiteral("\r\n") + QStringLiteral("Hora  : ") + hora
           + QStringLiteral("\r\n\r\n") + texto;
}

void timers_Timer(App& app)
{
    if (app.timers) {
        app.timers->setInterval(60000);
        app.timers->stop();
    }

    keep_alive(app);

    // Shows the full caption and starts the timer again when a user is logged in and the
    // connection is up, so that ticks go on while a message window is open.
    if (app.main_caption)
        app.main_caption();

    if (app.flg_nocox == 0) {
        auto& m = app.men_srv;
        if (m.men_cont >= 10) {
            m.men_cont = 1;
            poll(app);
        } else {
            ++m.men_cont;
        }
    }

    if (app.timers && !app.timers->isActive())
        app.timers->start();
}
