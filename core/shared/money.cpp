#include "money.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "justify.h"
#include "state.h"

MonCtx mon_ctx(const SesVal& ses, const LimVta& lim)
{
    MonCtx c;
    c.mod_sys = ses.mod_sys;
    c.jug_sys = ses.jug_sys;
    c.flg_dec = lim.flg_dec;
    c.jug_min = lim.jug_min;
    c.jug_max = lim.jug_max;
    c.jug_mis = lim.jug_mis;
    c.jug_mas = lim.jug_mas;
    return c;
}

namespace {

// Numeric value of a text, independent of the workstation's locale; 0 when it is no number.
double num(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trim_blanks(text), &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

bool all_digits(const QString& text)
{
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

// Adds one to a text of decimal digits.
QString increment(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = u'0';
    }
    return QStringLiteral("1") + digits;
}

// The 15 significant digits of |x| and the decimal exponent of the first one.
struct Digits {
    std::string digits;
    int exp = 0;
};

Digits digits15(double x)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);             // d.dddddddddddddde+XX
    const auto e = s.find('e');
    Digits d;
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exp = std::stoi(s.substr(e + 1));
    return d;
}

// x with at most 15 significant digits, written in full: no exponent, no trailing zeros
// after the point, "0" before the point below 1, "." as the point.
QString plain(double x)
{
    if (x == 0 || !std::isfinite(x))
        return QStringLiteral("0");
    Digits d = digits15(x);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    const int n = int(d.digits.size());
    std::string out;
    if (d.exp < 0)
        out = "0." + std::string(-d.exp - 1, '0') + d.digits;
    else if (d.exp + 1 >= n)
        out = d.digits + std::string(d.exp + 1 - n, '0');
    else
        out = d.digits.substr(0, d.exp + 1) + "." + d.digits.substr(d.exp + 1);
    return (x < 0 ? QStringLiteral("-") : QString()) + QString::fromStdString(out);
}

// x rounded to 15 significant digits and then to a whole number (halves away from zero),
// written in full.
QString whole(double x)
{
    if (!std::isfinite(x))
        return QStringLiteral("0");
    const Digits d = digits15(x);
    QString out;
    if (d.exp < 0) {
        out = (d.exp == -1 && d.digits[0] >= '5') ? QStringLiteral("1") : QStringLiteral("0");
    } else if (d.exp >= 14) {
        out = QString::fromStdString(d.digits + std::string(d.exp - 14, '0'));
    } else {
        out = QString::fromStdString(d.digits.substr(0, d.exp + 1));
        if (d.digits[d.exp + 1] >= '5')
            out = increment(out);
    }
    if (x < 0 && out != u"0")
        out.prepend(u'-');
    return out;
}

// The amount divided by the divisor as plain quotient text with the given separator.
QString quotient(const MonCtx& c, double value, const QString& sep)
{
    QString q = plain(value / c.mod_sys);
    q.replace(u'.', sep);
    return q;
}

// The common core of the entry parsers: digits with at most one "." as the point.
QString parse_core(const MonCtx& c, QString s)
{
    s = trim_blanks(s);
    static const QStringList zeros{"0", "", ".", "0.", ".0", ".00", "0.0", "0.00"};
    if (zeros.contains(s))
        return QStringLiteral("0");
    const qsizetype dot = s.indexOf(u'.');
    QString out;
    if (dot < 0) {
        if (!all_digits(s))
            return QStringLiteral("0");
        out = whole(num(s) * c.mod_sys);
    } else {
        const QString ip = s.left(dot);
        const QString dec = s.mid(dot + 1);
        if (!all_digits(ip) || !all_digits(dec))
            return QStringLiteral("0");
        out = whole(num(ip + dec.left(2).leftJustified(2, u'0')) * c.mod_sys / 100);
    }
    // Less than one hundredth of a unit is no amount.
    return num(out) >= c.mod_sys / 100 ? out : QStringLiteral("0");
}

const QString& min_of(const MonCtx& c, int kind) { return kind == 0 ? c.jug_min : c.jug_mis; }
const QString& max_of(const MonCtx& c, int kind) { return kind == 0 ? c.jug_max : c.jug_mas; }

} // namespace

double mon_num(const QString& text) { return num(text); }

bool mon_range(const MonCtx& c, const QString& amount, int kind)
{
    const double a = num(amount);
    return num(min_of(c, kind)) <= a && a <= num(max_of(c, kind));
}

QString mon_within(const QString& amount, const QString& lo, const QString& hi)
{
    const QString lo_text = trim_blanks(lo);
    const QString hi_text = trim_blanks(hi);
    QString a = trim_blanks(amount);
    const double v = num(a);
    if (v > num(hi_text))
        return hi_text;
    if (v < num(lo_text))
        return lo_text;
    // Cut the amount to the precision of the minimum: as many trailing zeros.
    qsizetype k = 0;
    while (k < lo_text.size() && lo_text[lo_text.size() - 1 - k] == u'0')
        ++k;
    const qsizetype keep = std::max<qsizetype>(0, a.size() - k);
    a = a.left(keep) + QString(a.size() - keep, u'0');
    return num(a) < num(lo_text) ? lo_text : a;
}

QString mon_adjust(const MonCtx& c, const QString& amount, int kind)
{
    return mon_showlim(c, mon_within(amount, min_of(c, kind), max_of(c, kind)), kind);
}

QString mon_showlim(const MonCtx& c, const QString& amount, int kind)
{
    const double value = num(amount);
    if (num(min_of(c, kind)) >= c.mod_sys)
        return mon_miles(c, quotient(c, value, c.flg_dec ? c.dec_sep : QStringLiteral(",")));
    QString f = mon_format(c, value);
    if (f.endsWith(u".00"))
        f.chop(3);
    return f;
}

QString mon_format(const MonCtx& c, double value)
{
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    QString s = plain(std::fabs(value) / c.mod_sys);
    const qsizetype dot = s.indexOf(u'.');
    if (dot < 0) {
        s += u".00";
    } else {
        QString ip = s.left(dot);
        const QString dec = s.mid(dot + 1);
        if (dec.size() > 2) {
            // Only the third decimal decides.
            int d = dec.left(2).toInt();
            if (dec[2] >= u'5')
                ++d;
            if (d == 100) {
                ip = increment(ip);
                d = 0;
            }
            s = ip + u'.' + QString::number(d).rightJustified(2, u'0');
        } else if (dec.size() == 1) {
            s += u'0';
        }
    }
    return s == u"0.00" ? QStringLiteral("0") : sign + s;
}

QString mon_format(const MonCtx& c, const QString& value) { return mon_format(c, num(value)); }

QString mon_showsys(const MonCtx& c, double value)
{
    return c.jug_sys > c.mod_sys ? quotient(c, value, c.dec_sep) : mon_format(c, value);
}

QString mon_showsys(const MonCtx& c, const QString& value) { return mon_showsys(c, num(value)); }

QString mon_showtik(const MonCtx& c, double value)
{
    return c.flg_dec ? mon_format(c, value) : quotient(c, value, c.dec_sep);
}

QString mon_showtik(const MonCtx& c, const QString& value) { return mon_showtik(c, num(value)); }

QString mon_show(const MonCtx& c, double value)
{
    if (c.flg_dec)
        return mon_format(c, value);
    // In whole mode "." marks thousands, so a fraction can only follow a ",".
    return mon_miles(c, quotient(c, value, QStringLiteral(",")));
}

QString mon_show(const MonCtx& c, const QString& value) { return mon_show(c, num(value)); }

QString mon_parsesig(const MonCtx& c, const QString& text)
{
    QString sign;
    QString s = text;
    if (s.startsWith(u'-')) {
        sign = QStringLiteral("-");
        s.remove(u'-');
    }
    s.replace(u',', u'.');
    const QString p = parse_core(c, s);
    return p != u"0" ? sign + p : p;
}

QString mon_parsedec(const MonCtx& c, const QString& text)
{
    QString s = text;
    s.replace(u',', u'.');
    return parse_core(c, s);
}

QString mon_parse(const MonCtx& c, const QString& text)
{
    QString s = text;
    if (c.flg_dec) {
        s.replace(u',', u'.');
    } else {
        s.remove(u'.');
        s.replace(u',', u'.');
    }
    return parse_core(c, s);
}

int mon_keycheck(const MonCtx& c, const QString& field, int key, double maximum)
{
    constexpr int backspace = 8, point = '.', zero = '0';
    const qsizetype dot = field.indexOf(u'.');
    const QString decimals = dot < 0 ? QString() : field.mid(dot + 1);
    const bool point_allowed = c.flg_dec && dot < 0;

    if (field == u"0" && key != backspace && key != point)
        return 0;
    if (key == point && !point_allowed)
        return 0;
    if (key == zero && (field.isEmpty() || field == u"0"))
        return 0;
    if (key == point && field.size() >= 2)
        return 0;
    if (key == zero && field.startsWith(u'0') && !decimals.isEmpty() && decimals[0] == u'0')
        return 0;
    if (key != backspace && dot >= 0 && decimals.size() == 2)
        return 0;

    // Once the point is typed in two-decimal mode the decimals are not held to the maximum.
    if (c.flg_dec && dot >= 0)
        return key;
    const bool digit = key >= '0' && key <= '9';
    if (!digit && key != point)
        return key;
    QString t = field;
    t.remove(u'.');
    const double top = maximum / c.mod_sys;
    if (key == point && !t.isEmpty() && num(t) == top)
        return 0;
    if (digit && num(t + QChar(key)) > top)
        return 0;
    return key;
}

QString mon_miles(const MonCtx& c, const QString& value)
{
    if (c.flg_dec || value.isEmpty())
        return value;
    QString text = value;
    text.remove(u'.');
    // A fraction, should one be there, follows a "," and keeps no marks.
    const qsizetype comma = text.indexOf(u',');
    const QString ip = comma < 0 ? text : text.left(comma);
    const QString tail = comma < 0 ? QString() : text.mid(comma);
    if (ip.isEmpty() || !all_digits(ip) || num(ip) < 1000)
        return text;
    const qsizetype first = ip.size() % 3 == 0 ? 3 : ip.size() % 3;
    QString out = ip.left(first);
    for (qsizetype i = first; i < ip.size(); i += 3)
        out += u'.' + ip.mid(i, 3);
    return out + tail;
}
