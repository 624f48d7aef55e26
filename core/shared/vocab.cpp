#include "vocab.h"

#include <QLocale>

#include <algorithm>

#include "justify.h"
#include "state.h"

namespace {

const char* const zodiac[12] = {"Aries", "Tauro",   "Geminis",   "Cancer",      "Leo",     "Virgo",
                                "Libra", "Escorpio", "Sagitario", "Capricornio", "Acuario", "Piscis"};
const char* const cacho[3] = {"MedioCacho", "ConCacho", "DobleCacho"};
const char* const animals[32] = {
    "Pajaro", "Lechuza", "Caiman", "Cochino", "Arana",    "Culebra", "Perro",   "Raton",
    "Pavo",   "Pato",    "Paloma", "Mariposa", "Rana",    "Caballo", "Chivo",   "Zorro",
    "Garza",  "Gallo",   "Oso",    "Tortuga",  "Burro",   "Alacran", "Mono",    "Pescado",
    "Tigre",  "Leon",    "Gato",   "Perico",   "Venado",  "Conejo",  "Toro",    "Gallina"};

// Index of a one-letter text from "A" among count letters, or -1.
int letter_index(const QString& letter, int count)
{
    if (letter.size() != 1)
        return -1;
    const int i = letter[0].unicode() - 'A';
    return i >= 0 && i < count ? i : -1;
}

bool is_digit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

// Looks a symbol up by the set id compared as a number.
QString sim_lookup(const TabSim& tab, double set, const QString& code)
{
    QString key = trim_blanks(code);
    if (key == u"0-" || key == u"0a")
        key = QStringLiteral("0");
    const qsizetype rows = std::min({tab.sim_cod.size(), tab.sim_num.size(), tab.sim_nom.size()});
    for (qsizetype i = 0; i < rows; ++i) {
        if (tab.sim_cod[i] == set && tab.sim_num[i] == key)
            return trim_blanks(tab.sim_nom[i].left(10)).leftJustified(10, u' ');
    }
    return QString(10, u' ');
}

bool blank(const QString& name) { return trim_blanks(name).isEmpty(); }

} // namespace

QString jug_tipo(const QString& number)
{
    const QString n = trim_blanks(number);
    switch (n.size()) {
    case 2: return QStringLiteral("R");
    case 3: return is_digit(n[2]) ? QStringLiteral("T") : QStringLiteral("Y");
    case 4: return is_digit(n[3]) ? QStringLiteral("L") : QStringLiteral("Z");
    case 6: return QStringLiteral("M");
    default: return QString();
    }
}

QString zod_name(const QString& letter, int mode)
{
    QString name;
    if (mode < 2) {
        if (const int i = letter_index(letter, 12); i >= 0)
            name = QString::fromLatin1(zodiac[i]);
    } else if (const int i = letter_index(letter, 3); i >= 0) {
        name = QString::fromLatin1(cacho[i]);
    }
    return name.leftJustified(11, u' ');
}

QString zod_letter(int index)
{
    return index >= 0 && index < 12 ? QString(QChar(u'A' + index)) : QString();
}

QString ani_name(const QString& code)
{
    QString name;
    if (code.size() == 2 && is_digit(code[0]) && is_digit(code[1])) {
        const int n = code.toInt();
        if (n >= 1 && n <= 32)
            name = QString::fromLatin1(animals[n - 1]);
    }
    return name.leftJustified(10, u' ');
}

QString sim_name(const TabSim& tab, int set, const QString& code)
{
    return sim_lookup(tab, set, code);
}

QString sim_name(const TabSim& tab, const QString& set, const QString& code)
{
    bool ok = false;
    const double id = QLocale::c().toDouble(trim_blanks(set), &ok);
    return ok ? sim_lookup(tab, id, code) : QString(10, u' ');
}

namespace {

template <class Set> QString zero(const TabSim& tab, const Set& set, const QString& code)
{
    QString c = code;
    if (c.contains(u"0a"))
        return c.replace(QStringLiteral("0a"), QStringLiteral("0"));
    if (c.contains(u"99") && sim_name(tab, set, QStringLiteral("99")) == sim_name(tab, set, QStringLiteral("0")))
        return c.replace(QStringLiteral("99"), QStringLiteral("0"));
    return c;
}

} // namespace

QString sim_zero(const TabSim& tab, int set, const QString& code) { return zero(tab, set, code); }
QString sim_zero(const TabSim& tab, const QString& set, const QString& code) { return zero(tab, set, code); }

int sim_count(const TabSim& tab, int set)
{
    int count = 0;
    for (int i = 0; i <= 99; ++i)
        if (!blank(sim_name(tab, set, QString::number(i).rightJustified(2, u'0'))))
            ++count;
    const QString zero = sim_name(tab, set, QStringLiteral("0"));
    if (!blank(zero) && zero != sim_name(tab, set, QStringLiteral("99")))
        ++count;
    return count;
}

void ani_table(Vocab& v)
{
    v.tab_ani.clear();
    for (int i = 0; i < 32; ++i)
        v.tab_ani << QString::number(i + 1).rightJustified(2, u'0') + QStringLiteral(" - ") +
                         QString::fromLatin1(animals[i]);
}

void zod_table(Vocab& v)
{
    v.tab_zod.clear();
    for (const char* name : zodiac)
        v.tab_zod << QString::fromLatin1(name);
    v.tab_cac.clear();
    for (const char* name : cacho)
        v.tab_cac << QString::fromLatin1(name);
}
