#include "lines.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

namespace {

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Exactly n columns: cut or padded on the right.
QString cols(const QString& s, int n) { return s.leftJustified(n, QLatin1Char(' '), true); }

bool series(const QString& tipo) { return tipo == u"S" || tipo == u"C"; }
bool numbers(const QString& tipo) { return tipo == u"N" || tipo == u"T"; }

QString label(const QString& tipo, const QString& cls)
{
    if (tipo == u"S")
        return QStringLiteral("Serie   ");
    if (tipo == u"C")
        return QStringLiteral("Corrida ");
    static const QMap<QString, QString> by_class = {
        {"R", "Terminal"}, {"T", "Triple  "}, {"Z", "Tpl Zod "}, {"Y", "Ter Zod "}, {"M", "Tripleta"}, {"L", "Doblete "}};
    return by_class.value(cls, blanks(8));
}

// A code of a symbol play: its code text, "-" and the first three letters of its name.
QString code_group(const TabSim& tab, int set, const QString& num, const QString& code, int at)
{
    return cols(code.mid(at, 2), 2) + QLatin1Char('-') + sim_name(tab, set, num.mid(at, 2)).left(3);
}

// Columns 17 to 38.
QString play_cols(const JugTik& rec, const TabSim& tab)
{
    const QString num = trim_blanks(rec.numero);
    const int set = rec.codsim.toInt();
    if (!numbers(rec.tipo))
        return label(rec.tipo, QString()) + blanks(5) + pad_left(num, 3) + blanks(6);
    const QString cls = jug_tipo(num);
    const QString code = QString(num).replace(QStringLiteral("0-"), QStringLiteral(" 0"));
    // The sign's name after a number of three digits (class Z) or two.
    const QString sign = pad_left(zod_name(num.mid(cls == u"Z" ? 3 : 2, 1), rec.modzod).left(3), 3);
    if (rec.tipo == u"T") {
        const QString two = code_group(tab, set, num, code, 0) + blanks(1) + code_group(tab, set, num, code, 2);
        return cls == u"M" ? two + blanks(1) + code_group(tab, set, num, code, 4) + blanks(2) : two + blanks(9);
    }
    if (cls == u"R" && set > 0)
        return cols(code, 2) + QLatin1Char('-') + cols(trim_blanks(sim_name(tab, set, num)), 10) + blanks(9);
    if (cls == u"Z")
        return label(rec.tipo, cls) + blanks(1) + cols(num.left(3), 3) + blanks(1) + sign + blanks(6);
    if (cls == u"Y")
        return label(rec.tipo, cls) + blanks(1) + cols(num.left(2), 2) + blanks(2) + sign + blanks(6);
    return label(rec.tipo, cls) + blanks(2) + pad_left(num, 6) + blanks(6);
}

} // namespace

JugTik stage_record(const TikCur& t)
{
    JugTik rec;
    rec.nomlot = trim_blanks(t.lin_lot.left(15));
    rec.codint = t.lin_codint;
    rec.tipo = t.lin_tip;
    rec.stasit = QString::number(t.lin_sit);
    rec.codsim = QString::number(t.lin_sim);
    rec.numero = pad_left(t.lin_num, 6);
    rec.monto = t.lin_mon.toDouble();
    rec.stajug = rec.monto > 0 ? QStringLiteral("N") : QStringLiteral("A");
    rec.modzod = t.lin_zod;
    return rec;
}

QString play_line(const JugTik& rec, int index, const TabSim& tab, const MonCtx& mon)
{
    const QString amount = rec.monto > 0 ? mon_show(mon, rec.monto) : QStringLiteral("AGOTADO");
    return cols(rec.nomlot, 15) + blanks(1) + play_cols(rec, tab) + pad_left(amount, 10) + blanks(6) +
           pad_left(QString::number(index), 3, QStringLiteral("0"));
}

bool listed(const JugTik& rec) { return numbers(rec.tipo) || rec.monto > 0; }

double share(const JugTik& rec)
{
    if (rec.monto <= 0)
        return 0;
    return numbers(rec.tipo) ? rec.monto : series(rec.tipo) ? 10 * rec.monto : 0;
}

QString zero_form(const TabSim& tab, int set, const QString& number)
{
    const QString num = trim_blanks(number);
    const bool form_0a = num.contains(QStringLiteral("0a"));
    if (!form_0a && (!num.contains(QStringLiteral("99")) || trim_blanks(sim_name(tab, set, QStringLiteral("99"))).isEmpty()))
        return number;
    QString out;
    for (int at = 0; at < num.size(); at += 2) {
        const QString code = num.mid(at, 2);
        const bool zero = code == QLatin1String(form_0a ? "0a" : "99") && sim_zero(tab, set, code) == u"0";
        out += zero ? QStringLiteral("0-") : code;
    }
    return out;
}

QString dec_text(double value)
{
    QString s = QString::number(value, 'f', 6);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == u"-0" ? QStringLiteral("0") : s;
}
