#include "parsys_values.h"
#include "core/shared/justify.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// The value of a number text, 0 when it is none.
double number(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(trim_blanks(text), &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

} // namespace

AmountBounds split_bounds(const QString& text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return {0, number(text)};
    return {number(text.left(slash)), number(text.mid(slash + 1))};
}

QStringList amount_choices(const MonCtx& c, const AmountBounds& b, const QList<int>& hundredths)
{
    QStringList out;
    for (int h : hundredths) {
        const double amount = h * c.mod_sys / 100;
        if (amount != std::floor(amount) || amount < 1 || amount < b.low || (b.high > 0 && amount > b.high))
            continue;
        out << (h == 50 ? mon_format(c, amount) : mon_showsys(c, amount));
    }
    const double low = b.low / c.mod_sys, high = b.high / c.mod_sys;
    for (qint64 power = 1; power <= 10000000; power *= 10)
        for (int d : {1, 2, 5}) {
            const qint64 units = d * power;
            if (low <= units && units <= high)
                out << mon_miles(c, QString::number(units));
        }
    return out;
}

QString amount_text(const MonCtx& c, const QString& stored)
{
    const double value = number(stored);
    const double units = value / c.mod_sys;
    if (units >= 1 && units < 1e9 && units == std::floor(units))
        return mon_miles(c, QString::number(qint64(units)));
    return mon_showsys(c, value);
}

QString amount_stored(const MonCtx& c, const QString& text)
{
    static const QRegularExpression marks(QStringLiteral("^[1-9][0-9]{0,2}(\\.[0-9]{3})+$"));
    QString t = trim_blanks(text);
    if (marks.match(t).hasMatch())
        t.remove(u'.');
    return mon_parsedec(c, t);
}

QStringList SettingChoices::texts() const
{
    QStringList out;
    for (const auto& [text, value] : entries)
        out << text;
    return out;
}

QString SettingChoices::text_of(const QString& value) const
{
    for (const auto& [text, v] : entries)
        if (v == value)
            return text;
    return other < 0 ? QString() : entries[other].first;
}

QString SettingChoices::value_of(const QString& text, const QString& current) const
{
    for (const auto& [t, value] : entries)
        if (t == text)
            return value;
    return other < 0 ? current : entries[other].second;
}

const SettingChoices anut_choices{{{"SI", "0"}, {"NO", "1"}}, 1};
const SettingChoices modv_choices{{{"TODOS", "0"}, {"ANIMALITOS", "1"}, {"TRIPLE/TERMINAL", "2"}}, -1};
const SettingChoices zord_choices{{{"HORA", "0"}, {"NOMBRE", "1"}}, 1};
const SettingChoices rlot_choices{{{"SI", "0"}, {"NO", "1"}}, 1};
const SettingChoices enca_choices{{{"SI", "1"}, {"NO", "0"}}, 1};
const SettingChoices juga_choices{{{"DETALLADO", "1"}, {"RESUMIDO", "2"}, {"NO IMPRIMIR", "0"}}, 2};
const SettingChoices simb_choices{{{"NUMERO/NOMBRE", "1"}, {"SOLO NUMERO", "0"}, {"SOLO NOMBRE", "2"}}, 2};
