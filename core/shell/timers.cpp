#include "timers.h"
#include "core/db/rule.h"
#include "core/shared/server_date.h"
#include "mensajes.h"

#include <QDate>
#include <QPointer>

namespace {

// Probes the server once; when the probe fails, reopens the connection quietly and probes
// again. Sets flg_nocox from the outcome. No message, no pointer change.
void keep_alive(App& app)
{
    auto& cmd = app.cmd_stacox;
    cmd.command_text = QStringLiteral("stacox");
    cmd.append(QStringLiteral("t0"), db::adInteger, db::adParamReturnValue, 0);
    db::Recordset rs;
    if (sp_once(app, cmd, rs, true)) {
        app.flg_nocox = 0;
    } else if (cox_reconnect(app)) {
        app.flg_nocox = sp_once(app, cmd, rs, true) ? 0 : 1;
    } else {
        app.flg_nocox = 1;
    }
    cmd.remove(QStringLiteral("t0"));
}

// Reads an output value as text; a null value leaves target as it was.
void read_out(const db::Command& cmd, const QString& name, QString& target)
{
    const QVariant v = cmd.value(name);
    if (!v.isNull() && v.isValid())
        target = v.toString();
}

// Asks the server once for a message waiting for the outlet and shows it. While the
// message window is already open (a tick inside it), only its text changes.
void poll(App& app)
{
    auto& m = app.men_srv;
    m.men_cod = QStringLiteral("0");
    auto& cmd = app.cmd_getmen;
    cmd.command_text = QStringLiteral("getmen");
    cmd.append(QStringLiteral("m1"), db::adBigInt, db::adParamOutput, 0);
    cmd.append(QStringLiteral("m2"), db::adChar, db::adParamOutput, 10);
    cmd.append(QStringLiteral("m3"), db::adChar, db::adParamOutput, 5);
    cmd.append(QStringLiteral("m4"), db::adVarChar, db::adParamOutput, 500);
    cmd.append(QStringLiteral("m5"), db::adChar, db::adParamInput, 3, app.ses_val.cod_ven);
    db::Recordset rs;
    if (sp_once(app, cmd, rs, true)) {
        read_out(cmd, QStringLiteral("m1"), m.men_cod);
        read_out(cmd, QStringLiteral("m2"), m.men_fec);
        read_out(cmd, QStringLiteral("m3"), m.men_hor);
        read_out(cmd, QStringLiteral("m4"), m.men_txt);
    }
    for (const char* name : {"m1", "m2", "m3", "m4", "m5"})
        cmd.remove(QString::fromLatin1(name));

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
