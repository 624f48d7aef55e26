#include "number.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

#include <cstring>

namespace {

// The len characters from column pos (1-based); fewer, or none, past the end.
QString mid(const QString& s, int pos, int len) { return s.mid(pos - 1, len); }

QString no_blanks(const QString& s) { return QString(s).remove(QLatin1Char(' ')); }

QString two_digits(int n) { return pad_left(QString::number(n), 2, QStringLiteral("0")); }

bool is_digit(int key) { return key >= '0' && key <= '9'; }

constexpr int kBackspace = 8;

Typed one_code(const CodeSet& set, QString text, int key)
{
    const qsizetype s = no_blanks(text).size();
    if (is_digit(key) && s == 0)
        return {QString(QChar(key)), 0};
    if (s == 1 && (is_digit(key) || (key == '-' && text.startsWith(QLatin1Char('0'))))) {
        text = trim_blanks(text) + QChar(key);
        if (text.left(2) == QLatin1String("99") && set.zero99())
            text = QStringLiteral("0-");
        if (set.named(trim_blanks(text))) {
            text = trim_blanks(text) + QLatin1Char('-') + trim_blanks(set.name(text.left(2)));
            text.replace(QLatin1String("--"), QLatin1String("-"));
        }
        return {text, 0};
    }
    if (key == kBackspace)
        return s > 2 ? Typed{QString(), 0} : Typed{text, kBackspace};
    return {text, 0};
}

Typed several_codes(const CodeSet& set, QString text, int key)
{
    const qsizetype s = no_blanks(text).size();
    if (key == kBackspace) {
        // The last group goes whole, complete or not.
        if (s <= 6)
            return {QString(), 0};
        return {text.left(s <= 12 ? 6 : 13) + QLatin1Char(' '), 0};
    }
    if (is_digit(key) && (s == 0 || s == 6 || s == 12))
        return {text + QChar(key), 0};
    const int g = s == 1 ? 1 : s == 7 ? 8 : s == 13 ? 15 : 0;  // the group being completed
    if (g == 0 || !(is_digit(key) || (key == '-' && mid(text, g, 1) == QLatin1String("0"))))
        return {text, 0};
    text = trim_blanks(text) + QChar(key);
    if (mid(text, g, 2) == QLatin1String("99") && set.zero99())
        text = text.left(g - 1) + QStringLiteral("0-");
    const QString code = mid(text, g, 2);
    bool complete = set.named(code);
    if (g == 8 && set.std == 0 && set.stt == 0)
        complete = complete && code != mid(text, 1, 2);
    if (g == 15 && set.stt == 0)
        complete = complete && code != mid(text, 1, 2) && code != mid(text, 8, 2);
    if (complete) {
        if (mid(text, g + 1, 1) != QLatin1String("-"))
            text += QLatin1Char('-') + set.name(code).left(3);
        else
            text = text.left(g) + QLatin1Char('-') + set.name(code).left(4);
        if (g < 15)
            text += QLatin1Char(' ');
    }
    return {text, 0};
}

} // namespace

int play_index(int key)
{
    static const char letters[] = "NPZTDRELKOAIJ";
    if (key >= 'a' && key <= 'z')
        key -= 'a' - 'A';
    if (key < 'A' || key > 'Z')
        return -1;
    const char* at = std::strchr(letters, key);
    return at ? int(at - letters) : 13;
}

QString CodeSet::name(const QString& code) const { return sim_name(tab, sim, code); }

bool CodeSet::named(const QString& code) const { return !trim_blanks(name(code)).isEmpty(); }

bool CodeSet::zero99() const
{
    const QString n99 = name(QStringLiteral("99"));
    return !trim_blanks(n99).isEmpty() && n99 == name(QStringLiteral("0"));
}

Typed code_key(const CodeSet& set, const QString& text, int key)
{
    return set.sit <= 0 ? one_code(set, text, key) : several_codes(set, text, key);
}

QString code_step(const CodeSet& set, const QString& text, int key_code)
{
    const QString t = trim_blanks(text);
    const QString c2 = t.left(2);
    QString code;
    switch (key_code) {
    case 36:  // Home: the first code
        for (const char* c : {"0", "00", "01"})
            if (code.isEmpty() && set.named(QLatin1String(c)))
                code = QLatin1String(c);
        break;
    case 35:  // End: the last code below 99
        for (int n = 98; n >= 0 && code.isEmpty(); --n)
            if (set.named(two_digits(n)))
                code = two_digits(n);
        break;
    case 38:  // Up
        if (t.isEmpty() || c2 == QLatin1String("00"))
            code = QStringLiteral("0");
        else if (c2 >= QLatin1String("01"))
            code = two_digits(c2.toInt() - 1);
        break;
    case 40:  // Down
        if (t.isEmpty())
            code = QStringLiteral("0");
        else if (c2 == QLatin1String("0-"))
            code = QStringLiteral("00");
        else
            code = two_digits(c2.toInt() + 1);
        break;
    default:
        break;
    }
    if (code.isEmpty() || !set.named(code))
        return {};
    return code + QLatin1Char('-') + trim_blanks(set.name(code));
}

QString code_leave(const CodeSet& set, const QString& text)
{
    QString t = text;
    if (trim_blanks(t).isEmpty())
        return t;
    if (t.left(2) == QLatin1String("99") && set.zero99())
        t.replace(QLatin1String("99"), QLatin1String("0"));
    const QString s = no_blanks(t);
    if (set.sit < 1) {
        if (s == QLatin1String("0"))
            return QStringLiteral("0-") + trim_blanks(set.name(QStringLiteral("0-")));
        return s.contains(QLatin1Char('-')) ? t : QStringLiteral("_");
    }
    const qsizetype d = s.count(QLatin1Char('-'));
    const QString trimmed = trim_blanks(t);
    const QString c1 = mid(trimmed, 1, 2), c2 = mid(trimmed, 8, 2), c3 = mid(trimmed, 15, 2);
    if (d == 3 && set.stt == 0 && (c1 == c2 || c1 == c3 || c2 == c3))
        return QStringLiteral("_");
    if (d == 2 && set.std == 0 && c1 == c2)
        return QStringLiteral("_");
    return t;
}

QStringList typed_codes(const QString& text)
{
    if (text.size() <= 1)
        return {};
    const qsizetype d = trim_blanks(text).count(QLatin1Char('-'));
    QStringList codes{mid(text, 1, 2)};
    if (text.size() >= 4 || d >= 1)
        codes << mid(text, d >= 1 ? 8 : 3, 2);
    if (text.size() == 6 || d >= 2)
        codes << mid(text, d >= 2 ? 15 : 5, 2);
    return codes;
}

QStringList pick_items(const CodeSet& set)
{
    QStringList out;
    const QString zero = trim_blanks(set.name(QStringLiteral("0")));
    if (!zero.isEmpty())
        out << QStringLiteral("0-") + zero;
    for (int n = 0; n <= 98; ++n)
        if (const QString name = trim_blanks(set.name(two_digits(n))); !name.isEmpty())
            out << two_digits(n) + QLatin1Char('-') + name;
    if (const QString n99 = trim_blanks(set.name(QStringLiteral("99"))); !n99.isEmpty() && n99 != zero)
        out << QStringLiteral("99-") + n99;
    return out;
}
