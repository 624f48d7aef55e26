#include "requests.h"
#include "lines.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

#include <QRegularExpression>

namespace {

const QString kStar = QStringLiteral("*");

// A text read as a number: the leading decimal number, "." as the point; 0 when none.
double val(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(0).trimmed().toDouble() : 0;
}

} // namespace

QString chr(const QString& text, int k) { return text.mid(k - 1, 1); }

QString classify(const QString& num, const QString& base)
{
    if (chr(num, 1) == kStar)
        return QStringLiteral("S");
    if (chr(num, 3) == kStar || (chr(num, 2) == kStar && trim_blanks(chr(num, 3)).isEmpty()))
        return QStringLiteral("C");
    return base;
}

bool double_star(const QString& num)
{
    const bool s1 = chr(num, 1) == kStar, s2 = chr(num, 2) == kStar, s3 = chr(num, 3) == kStar;
    return (s1 && s3) || (s1 && s2) || (s2 && s3);
}

QString code_groups(const QString& text)
{
    return trim_blanks(text.mid(0, 2)) + trim_blanks(text.mid(7, 2)) + trim_blanks(text.mid(14, 2));
}

Prep prepare(const QString& tip_jug, const QString& num, int lin_sit)
{
    Prep p;
    const QString t = trim_blanks(num);
    if (tip_jug == u"S" || tip_jug == u"C") {
        const QString c1 = chr(num, 1), c2 = chr(num, 2), c3 = chr(num, 3);
        QString w;
        if (tip_jug == u"S")
            w = c1 == kStar ? c2 + c3 : trim_blanks(c3).isEmpty() ? c1 + c2 : c2 + c3;
        else
            w = c3 == kStar ? c1 + c2 : c2 == kStar ? c1 : c1 + c2;
        p.ok = chr(w, 1) != kStar && !trim_blanks(chr(w, 1)).isEmpty() && chr(w, 2) != kStar;
        p.num = w;
        p.tip = tip_jug;
        return p;
    }
    // A "*" left in any other play is no serie or corrida: such a number is not sent.
    if (t.contains(kStar))
        return p;
    if (tip_jug == u"P") {
        p.ok = t.size() >= 3;
        p.num = num;
        p.tip = tip_jug;
        return p;
    }
    p.ok = !t.isEmpty();
    p.num = lin_sit < 1 && t == u"0" ? QStringLiteral("0-") : num;
    p.tip = lin_sit < 1 ? QStringLiteral("N") : QStringLiteral("T");
    return p;
}

bool takes(const RegLot& lot, const QString& tip, int len)
{
    if (tip == u"P")
        return lot.statpl >= 1;
    if (tip == u"T")
        return len != 6 || lot.stasit != 0;
    if (tip == u"S" || tip == u"C")
        return len == 2 ? lot.statpl != 0 : len == 1 ? lot.stater != 0 : true;
    switch (len) {
    case 1: return false;
    case 2: return lot.stater != 0;
    case 3: return lot.statpl != 0;
    case 4: return lot.stadbl != 0;
    case 6: return lot.stamor != 0;
    default: return true;
    }
}

int perm_factor(int len)
{
    switch (len) {
    case 3: return 6;
    case 4: return 64;
    case 5: return 125;
    case 6: return 216;
    default: return 0;
    }
}

QList<QPair<QString, double>> parse_numago(const QString& numago)
{
    QList<QPair<QString, double>> out;
    QString rest = numago;
    for (qsizetype end = rest.indexOf(u'%'); end >= 1; end = rest.indexOf(u'%')) {
        const QString entry = rest.left(end);
        const qsizetype colon = entry.indexOf(u':');
        out.append({colon < 0 ? entry : entry.left(colon), colon < 0 ? 0 : val(entry.mid(colon + 1))});
        rest = rest.mid(end + 1);
    }
    return out;
}

QString short_report(const QString& name, const QString& tipo, const QString& num, double granted, int lin_sim,
                     const TabSim& tab, const MonCtx& mon)
{
    const QString tail = granted <= 0 ? QStringLiteral(" AGOTADO.")
                                      : " INCOMPLETO. CUPO DISPONIBLE: " + trim_blanks(mon_show(mon, granted));
    QString play = num;
    if (tipo == u"T") {
        QStringList codes;
        for (int at = 0; at + 1 < num.size(); at += 2)
            codes << num.mid(at, 2) + QLatin1Char('-') + sim_name(tab, lin_sim, num.mid(at, 2)).left(3);
        play = codes.join(QLatin1Char(' '));
    } else if (lin_sim > 0) {
        play += QLatin1Char('-') + trim_blanks(sim_name(tab, lin_sim, num));
    }
    return name + QStringLiteral("  ") + play + tail + QString(10, QLatin1Char(' '));
}

QString incomplete_question(const QString& name, const QString& tipo, const QString& num,
                            const QList<QPair<QString, double>>& missing)
{
    QStringList lines = {name + (tipo == u"S" ? QStringLiteral(" SERIE ") : QStringLiteral(" CORRIDA ")) + num +
                             QStringLiteral(" INCOMPLETA."),
                         QString(), QStringLiteral("NUMEROS FALTANTES:"), QString()};
    for (const auto& [number, amount] : missing)
        lines << number + QStringLiteral(" : ") + dec_text(amount);
    lines << QString() << QStringLiteral("¿DESEA PROCESAR LA JUGADA INCOMPLETA?") + QString(15, QLatin1Char(' '));
    return lines.join(QLatin1Char('\r'));
}

QStringList sign_numbers(const QString& num)
{
    const QString t = trim_blanks(num);
    QStringList list;
    if (t.startsWith(u'P')) {
        QString a = chr(t, 2), b = chr(t, 3), c = chr(t, 4);
        if (a != b && b != c && a != c) {
            list = {a + b + c, a + c + b, b + a + c, b + c + a, c + a + b, c + b + a};
        } else {
            // a: the digit that occurs once, b: the doubled one.
            if (a == b) {
                a = c;
            } else if (c == a) {
                a = b;
                b = c;
            }
            list = {a + b + b, b + a + b, b + b + a};
        }
    } else if (t.startsWith(u'*')) {
        for (int d = 0; d <= 9; ++d)
            list << QString::number(d) + t.mid(1, 2);
    } else {
        list << t;
    }
    list.removeDuplicates();
    return list;
}
