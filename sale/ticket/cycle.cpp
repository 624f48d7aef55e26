#include "cycle.h"
#include "procs.h"
#include "core/shared/justify.h"

#include <algorithm>
#include <cmath>

namespace {

// A limit's numeric value, read in the C locale; 0 when it is empty or no number.
double num(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trim_blanks(text), &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

} // namespace

void derive_limits(LimVta& lim, const SesVal& ses)
{
    const double mod = ses.mod_sys;
    if (num(lim.jug_min) >= mod && num(lim.jug_miz) >= mod && num(lim.jug_mis) >= mod)
        lim.flg_dec = false;
    else
        lim.flg_dec = ses.jug_sys <= mod;

    // Strict comparisons: on a tie the earlier limit stays.
    lim.jug_menor = lim.jug_min;
    for (const QString* v : {&lim.jug_miz, &lim.jug_mis})
        if (num(*v) < num(lim.jug_menor))
            lim.jug_menor = *v;
    lim.jug_mayor = lim.jug_max;
    for (const QString* v : {&lim.jug_maz, &lim.jug_mas})
        if (num(*v) > num(lim.jug_mayor))
            lim.jug_mayor = *v;
}

bool within_limits(const LimVta& lim, double tot_tik)
{
    return num(lim.vta_min) <= tot_tik && tot_tik <= num(lim.vta_max);
}

bool taken(const RegLot& lot, const QString& sys_modv)
{
    if (sys_modv == QLatin1String("0"))
        return true;
    if (sys_modv == QLatin1String("1"))
        return lot.animal();
    if (sys_modv == QLatin1String("2"))
        return !lot.animal();
    return false;
}

void name_lots(QList<RegLot>& lots, const TabCat& cat, int can_cat)
{
    const qsizetype n = std::min<qsizetype>(can_cat, cat.size());
    for (RegLot& lot : lots)
        for (qsizetype k = 0; k < n; ++k)
            if (cat[k].codint == lot.codint) {
                lot.codlot = cat[k].codlot;
                lot.nomlot = cat[k].nomlot;
                break;
            }
}

QString lot_text(const RegLot& lot)
{
    return pad_right(trim_blanks(lot.nomlot).left(20), 20) + blanks(40) + lot.codint;
}

QString open_refusal(qint64 status, int& style)
{
    style = plat::mb_exclamation;
    switch (status) {
    case 1:
    case 3:
        return QStringLiteral("Tovaren inactiva.") + blanks(15);
    case 2:
        return QStringLiteral("Tovaren suspendida.") + blanks(15);
    case 6:
        return QStringLiteral("Tovaren no registrada.") + blanks(15);
    case 7:
        return QStringLiteral("Cupo de venta agotado.") + blanks(15);
    default:
        return QStringLiteral("Servicio no esta disponible.") + blanks(10);
    }
}

double tax_of(double tot_tik, double por_imp)
{
    // std::nearbyint rounds half to even in the default rounding mode.
    return std::nearbyint(tot_tik / 100 * por_imp);
}

QString commit_refusal(App& app, double val_mon, double val_cup)
{
    const MonCtx m = app.mon();
    if (val_mon == -1)
        return QStringLiteral("Monto del ticket no es válido. Mínimo : ") + mon_show(m, app.lim_vta.vta_min) +
               QStringLiteral(" / Máximo : ") + mon_show(m, app.lim_vta.vta_max) + blanks(5);
    if (val_mon == -2)
        return QStringLiteral("Cantidad de jugadas no es válida.") + blanks(15);
    if (val_mon == -3)
        return QStringLiteral("Sorteo(s) cerrado(s).") + blanks(15);
    if (val_mon == -7)
        return QStringLiteral("Cupo de venta disponible : ") + mon_show(m, app.ses_val.mod_sys * val_cup) + blanks(10);
    return QStringLiteral("Error interno de validación.") + blanks(15);
}

QStringList tik_lines(App& app, const TikCur& tik, double val_mon, const QString& ticket2)
{
    const CfgReg& cfg = app.cfg_reg;
    const SesVal& ses = app.ses_val;
    const MonCtx m = app.mon();
    const QString margin = blanks(std::max(cfg.rep_marg, 0));
    const auto amount = [&m](double v) { return mon_showtik(m, v).trimmed(); };
    QStringList out;
    const auto put = [&](const QString& text) { out << margin + text; };

    if (cfg.rep_enca == QLatin1String("1"))
        put(ses.nom_ven.left(30));
    put(tik.fec_tik + blanks(2) + tik.hor_tik + blanks(2) + QStringLiteral("CAJA:") + ses.cod_caj);
    put(QStringLiteral("TICKT:") + QString::number(tik.numtik()) + QStringLiteral(" SERIAL:") + tik.ser_tik);

    if (cfg.rep_juga.toInt() >= 1 && !ticket2.isEmpty()) {
        for (const QString& group : ticket2.split(QLatin1Char(';'))) {
            // A group is its draws, ":", its plays; an empty group has nothing to print
            // and one without ":" only its draws.
            if (group.isEmpty())
                continue;
            const qsizetype colon = group.indexOf(QLatin1Char(':'));
            for (const QString& draw : group.left(colon).split(QLatin1Char(',')))
                put(QString(draw).replace(QLatin1Char('.'), QLatin1Char(':')));
            if (colon < 0)
                continue;
            // Plays are packed into lines of at most 30 characters; the blank between
            // two plays is not counted.
            QString line;
            for (const QString& play : group.mid(colon + 1).split(QLatin1Char(','))) {
                if (line.size() + play.size() <= 30) {
                    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + play;
                } else {
                    put(line);
                    line = play;
                }
            }
            put(line);
        }
    }

    if (tik.imp_tik > 0) {
        put(QStringLiteral("MONTO JUGADAS:") + amount(val_mon));
        put(QStringLiteral("IMP.MUN.(") + QString::number(qint64(ses.por_imp)) + QStringLiteral("%) :") +
            amount(tik.imp_tik));
    }
    QString label = QStringLiteral("TOTAL TICKET:");
    if (app.dat_cox.cod_dtbs.contains(QLatin1Char('$')))
        label = QStringLiteral("TOTAL TICKET($):");
    else if (ses.jug_sys / ses.mod_sys <= 1)
        label = QStringLiteral("TOTAL TICKET(B):");
    put(label + amount(val_mon + tik.imp_tik));
    put(QStringLiteral("CADUCA A LOS ") + app.lim_vta.dia_vence.trimmed() + QStringLiteral(" DIAS"));
    for (const QString* foot : {&ses.tik_men1, &ses.tik_men2, &ses.tik_men3, &cfg.sys_mens})
        if (!foot->trimmed().isEmpty())
            put(foot->trimmed());
    out << QStringLiteral(".");
    return out;
}

namespace {

// Where the connection points, as a remembered ticket keeps it.
QString cox_target(const App& app)
{
    const DatCox& d = app.dat_cox;
    return d.srv_ip + QLatin1Char(',') + d.srv_port + QLatin1Char('/') + d.srv_databs;
}

} // namespace

void anu_later(App& app, qint64 numtik)
{
    app.tik_anu.append({numtik, app.ses_val.cod_ven, cox_target(app)});
}

void anu_pend(App& app, bool once)
{
    const QString here = cox_target(app);
    // A keep-alive tick inside a message of the call may annul and forget tickets meanwhile:
    // the list is read afresh after every call.
    for (;;) {
        const auto it = std::find_if(app.tik_anu.cbegin(), app.tik_anu.cend(),
                                     [&here](const TikAnu& t) { return t.cox == here; });
        if (it == app.tik_anu.cend())
            return;
        const TikAnu tik = *it;
        bool done = anutix(app, tik.numtik, tik.cod_ven, QStringLiteral("**"), true, false).ok;
        if (!done && app.cox_bd.state() == db::adStateOpen) {
            // Tried once, a call that fails leaves the connection open only when the server
            // answered it, with an error.
            qWarning("anutix %lld: refused by the server, not sent again", tik.numtik);
            done = true;
        }
        if (!done && !once)
            done = anutix(app, tik.numtik, tik.cod_ven, QStringLiteral("**"), false, false).ok;
        if (!done)
            return;
        app.tik_anu.removeIf([&tik](const TikAnu& t) {
            return t.numtik == tik.numtik && t.cod_ven == tik.cod_ven && t.cox == tik.cox;
        });
    }
}
