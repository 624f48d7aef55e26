#include "procs_params.h"
#include "placed.h"
#include "core/shared/justify.h"
#include "core/shared/whole.h"

#include <QMap>

namespace {

constexpr int kValueSize = 50;  // actpaq's x3

// The days tx_vent holds (two digits) within the range the save keeps them in.
bool days(const QString& value)
{
    const QString t = trim_blanks(value);
    return t.size() <= 2 && digits(t) && t.toInt() >= 1 && t.toInt() <= 7;
}

// A stored amount: a whole count of stored units, in digits, within 64 bits.
bool amount(const QString& value)
{
    const QString t = trim_blanks(value);
    return digits(t) && text_whole(t).has_value();
}

// The annulment flag, as tx_anut shows it and its save writes it.
bool flag(const QString& value)
{
    return value == u"0" || value == u"1";
}

const std::pair<const char*, bool (*)(const QString&)> kShown[] = {
    {"TVENCE_TIK", days},   {"JUGADA_MIN", amount}, {"JUGADA_MIZ", amount}, {"JUGADA_MIS", amount},
    {"JUGADA_MAX", amount}, {"JUGADA_MAZ", amount}, {"JUGADA_MAS", amount}, {"VENTIK_MIN", amount},
    {"VENTIK_MAX", amount}, {"ANUTIK_VEN", flag},
};

} // namespace

ParamRows getpaq_shown(App& app, const QString& cod_ven)
{
    return getpaq(app, cod_ven, [](db::Reader& r, const ParamRows& p) {
        QMap<QString, QString> last;
        for (const auto& [name, value] : p.rows)
            last[name] = value;
        for (const auto& [key, holds] : kShown) {
            const auto it = last.constFind(QLatin1String(key));
            if (it == last.cend())
                return r.refuse(QStringLiteral("no parameter %1").arg(QLatin1String(key)));
            if (it->size() > kValueSize || !holds(*it))
                return r.refuse(QStringLiteral("parameter %1 is no value its field holds: %2")
                                    .arg(QLatin1String(key), it->left(40)));
        }
    });
}

bool actpaq(App& app, const QString& cod_ven, const QString& key, const QString& value)
{
    return app.proc(QStringLiteral("actpaq"))
        .in(QStringLiteral("x1"), db::adVarChar, 3, cod_ven)
        .in(QStringLiteral("x2"), db::adVarChar, 10, key)
        .in(QStringLiteral("x3"), db::adVarChar, kValueSize, value)
        .exec();
}
