#include "inquiry_lines.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

#include <QLocale>

namespace {

double number(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trim_blanks(text), &ok);
    return ok ? v : 0;
}

QString type_label(const QString& tipnum)
{
    static const QList<std::pair<QString, QString>> labels = {
        {"R", "Terminal"}, {"L", "Doblete "}, {"T", "Triple  "},
        {"Z", "Tpl Zod "}, {"Y", "Ter Zod "}, {"M", "Tripleta"},
    };
    for (const auto& [letter, label] : labels)
        if (letter == tipnum)
            return label;
    return {};
}

} // namespace

QStringList ticket_line(const TicketRow& row, const MonCtx& mon)
{
    return {pad_left(row.numtik, 8, QStringLiteral("0")), row.iduser, row.hormov,
            row.status == 0 ? QStringLiteral("Normal") : QStringLiteral("Anulado"), pad_left(mon_show(mon, row.total), 12)};
}

QStringList play_line(const PlayRow& row, const TabSim& tab, const MonCtx& mon)
{
    const QString tipo = trim_blanks(row.tipnum);
    const QString n = trim_blanks(row.numero);
    const bool symbols = number(row.codsim) > 0;
    // A symbol code with its name: "05-Sim", or "0-Simb" for the one-character "0".
    const auto code_name = [&](const QString& c) {
        const QString z = sim_zero(tab, row.codsim, c);
        return z + QLatin1Char('-') + sim_name(tab, row.codsim, z);
    };
    const auto g = [&](int at) { return code_name(n.mid(at, 2)).left(6); };
    QString numero;
    if (symbols && tipo == QLatin1String("M"))
        numero = g(0) + u' ' + g(2) + u' ' + g(4);
    else if (symbols && tipo == QLatin1String("L"))
        numero = g(0) + u' ' + g(2);
    else if (symbols && tipo == QLatin1String("R"))
        numero = code_name(n);
    else if (QStringList{"T", "M", "L", "R"}.contains(tipo))
        numero = n;
    else if (tipo == QLatin1String("Z"))
        numero = trim_blanks(n.left(3)) + QStringLiteral("  ") + zod_name(n.mid(3, 1), int(number(row.codzod)));
    else if (tipo == QLatin1String("Y"))
        numero = trim_blanks(n.left(2)) + QStringLiteral("  ") + zod_name(n.mid(2, 1), int(number(row.codzod)));
    return {row.nomlot.left(15), type_label(tipo), numero, pad_left(mon_show(mon, row.monto), 10)};
}
