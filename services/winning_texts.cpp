#include "winning_texts.h"
#include "core/shell/report.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

namespace {

enum class Kind { symbol, animal, number };

// A symbol lottery names its number in the symbol set codrul, an animal lottery writes
// animal codes, any other is a number lottery; unknown when a value it needs is absent.
std::optional<Kind> kind_of(const PrmRow& r)
{
    if (!r.codrul)
        return std::nullopt;
    if (*r.codrul > 0)
        return Kind::symbol;
    if (!r.codsim)
        return std::nullopt;
    return *r.codsim > 0 ? Kind::animal : Kind::number;
}

// The name of the sign letter, padded to 11; absent when a letter came without its family.
std::optional<QString> sign_name(const PrmRow& r)
{
    if (r.signo.isEmpty())
        return zod_name(r.signo, 0);
    if (!r.codzod)
        return std::nullopt;
    return zod_name(r.signo, *r.codzod);
}

QString head(const QString& text, int n) { return trim_blanks(text.left(n)); }

// The animal codes of a winning number of 2, 4 or 6 characters (none for other lengths).
QStringList animal_codes(const QString& t)
{
    if (t.size() != 2 && t.size() != 4 && t.size() != 6)
        return {};
    QStringList codes;
    for (qsizetype i = 0; i < t.size(); i += 2)
        codes << t.mid(i, 2);
    return codes;
}

QString animal_print_text(const QString& numero)
{
    const QStringList codes = animal_codes(trim_blanks(numero));
    const int cut = codes.size() == 1 ? 12 : codes.size() == 2 ? 5 : 3;
    QStringList names;
    for (const QString& c : codes)
        names << head(ani_name(c), cut);
    return trim_blanks(names.join(u'/'));
}

QString animal_list_text(const QString& numero)
{
    const QStringList codes = animal_codes(trim_blanks(numero));
    QStringList parts;
    for (const QString& c : codes)
        parts << c + u'-' + (codes.size() == 3 ? ani_name(c).left(5) : ani_name(c));
    return parts.join(QStringLiteral(" / "));
}

} // namespace

void split_numpre(const QString& numpre, QString& numero, QString& signo)
{
    const QString n = trim_blanks(numpre);
    const QString cls = jug_tipo(n);
    const int digits = cls == u"Z" ? 3 : cls == u"Y" ? 2 : -1;
    numero = digits < 0 ? n : n.left(digits);
    signo = digits < 0 ? QString() : n.mid(digits, 1);
}

QString prm_print_text(const PrmRow& r, const TabSim& tab)
{
    const std::optional<Kind> kind = kind_of(r);
    const std::optional<QString> sign = sign_name(r);
    if (!kind)
        return {};
    switch (*kind) {
    case Kind::symbol: {
        if (r.numero.isEmpty() || !sign)
            return {};
        const QString n = sim_zero(tab, *r.codrul, r.numero);
        QString text = n + u'-' + head(sim_name(tab, *r.codrul, trim_blanks(n)), 6);
        if (!r.signo.isEmpty())
            text += u'(' + head(*sign, 3) + u')';
        return text;
    }
    case Kind::number:
        return sign ? r.numero + u' ' + head(*sign, 8) : QString();
    case Kind::animal:
        return animal_print_text(r.numero);
    }
    return {};
}

PrmListTexts prm_list_texts(const PrmRow& r, const TabSim& tab)
{
    PrmListTexts t;
    const QString numero = trim_blanks(r.numero);
    if (numero.isEmpty())
        return t;
    const std::optional<Kind> kind = kind_of(r);
    const std::optional<QString> sign = sign_name(r);
    if (kind == Kind::number) {
        t.numero = r.numero;
        t.signo = sign.value_or(QString());
    } else if (kind == Kind::animal) {
        t.numero = animal_list_text(numero);
    } else if (kind == Kind::symbol && numero.size() == 2) {
        const QString n = trim_blanks(sim_zero(tab, *r.codrul, r.numero));
        t.numero = n + u'-' + sim_name(tab, *r.codrul, n);
        t.signo = sign.value_or(QString());
    }
    t.status = prm_status_text(r.status);
    return t;
}

QString prm_status_text(std::optional<int> status)
{
    static const char* const texts[] = {"No Procesado", "En Proceso", "Procesado", "-"};
    return status && *status >= 0 && *status <= 3 ? QString::fromLatin1(texts[*status]) : QString();
}

int prm_nombre_width(qsizetype rows) { return rows > 15 ? 2060 : 2300; }

bool prm_listing(BufRep& buf, const QDate& fecha, const QList<PrmRow>& rows)
{
    rep_reset(buf);
    auto add = [&buf](const QString& line) {
        buf.rep_lin[buf.rep_idx()] = line;
        rep_addline(buf);
    };
    const QString rule(30, u'-');
    add(QStringLiteral("PREMIOS"));
    add(QStringLiteral("FECHA : ") + fecha.toString(QStringLiteral("dd-MM-yyyy")));
    add(rule);
    add(QStringLiteral("LOTERIA") + QString(17, u' ') + QStringLiteral("PREMIO"));
    add(rule);
    if (rows.isEmpty()) {
        add(QStringLiteral("<no hay información>"));
        return true;
    }
    bool nolin = true;
    for (const PrmRow& r : rows) {
        if (trim_blanks(r.txt_prm).isEmpty())
            continue;
        add(pad_right(head(r.nomlot, 15), 15) + u' ' + pad_right(head(r.txt_prm, 14), 14));
        nolin = false;
    }
    return nolin;
}
