#include "amount.h"

#include <cmath>

namespace {

double minimum(const MonCtx& c, int kind) { return mon_num(kind == 0 ? c.jug_min : c.jug_mis); }
double maximum(const MonCtx& c, int kind) { return mon_num(kind == 0 ? c.jug_max : c.jug_mas); }

// The rules both amount fields share, for a minimum and a maximum in stored units.
Typed amount_rule(const MonCtx& c, double lo, double hi, const QString& text, int key)
{
    const bool fraction = lo < c.mod_sys;  // a minimum below one unit
    const bool decimals = fraction && c.flg_dec;
    if (text.isEmpty() && (key == '0' || key == '.') && decimals)
        return {QStringLiteral("0."), 0};
    if (key == '.' && !decimals)
        return {text, 0};
    key = mon_keycheck(c, text, key, hi);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const bool digit = key >= '0' && key <= '9';
    if (dot < 0 || !(digit || key == 8) || !decimals)
        return {text, key};
    if (key == 8) {
        // All decimals go at once; then the point alone ("0." empties the field).
        if (dot < text.size() - 1)
            return {text.left(dot + 1), 0};
        return {text.startsWith(QLatin1Char('0')) ? QString() : text.left(dot), 0};
    }
    if (dot < text.size() - 1)
        return {text, key};
    // The first decimal: with a whole part of 0 it may not take the amount below the
    // minimum (in hundredths); the second decimal is a 0.
    const double m = lo * 100 / c.mod_sys;
    const bool zero = text.startsWith(QLatin1Char('0'));
    if (key == '0')
        return {zero && m <= 1 ? text + QLatin1Char('0') : text, 0};
    const int least = key == '1' ? 10 : key <= '4' ? 20 : 50;
    return {!zero || m <= least ? text + QChar(key) + QLatin1Char('0') : text, 0};
}

} // namespace

Typed amount_key(const MonCtx& c, int kind, const QString& text, int key)
{
    return amount_rule(c, minimum(c, kind), maximum(c, kind), text, key);
}

Typed mont_key(const MonCtx& c, const QString& lo, const QString& hi, const QString& text, int key)
{
    if (!amount_char(key))
        return {text, 0};
    Typed t = amount_rule(c, mon_num(lo), mon_num(hi), text, key);
    if (t.key != 0 && t.key != 8 && t.text.size() >= mont_length)
        t.key = 0;
    return t;
}

QStringList amount_presets(const MonCtx& c, int kind)
{
    const double lo = minimum(c, kind), hi = maximum(c, kind);
    QStringList out;
    if (lo < c.mod_sys)
        for (const int p : {1, 2, 5, 10, 20, 50})
            if (lo * 100 / c.mod_sys <= p)
                out << mon_showsys(c, p * c.mod_sys / 100);
    for (int k = 0; k <= 7; ++k)
        for (const int d : {1, 2, 5}) {
            const double units = d * std::pow(10.0, k);
            if (lo <= units * c.mod_sys && units * c.mod_sys <= hi)
                out << mon_miles(c, QString::number(units, 'f', 0));
        }
    return out;
}
