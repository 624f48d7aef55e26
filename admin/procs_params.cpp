#include "procs_params.h"
#include "core/shared/justify.h"

#include <QMap>

namespace {

constexpr int kValueSize = 50;  // actpaq's x3

// The parameters the window shows and sends back.
const char* const kShown[] = {"TVENCE_TIK", "JUGADA_MIN", "JUGADA_MIZ", "JUGADA_MIS", "JUGADA_MAX",
                              "JUGADA_MAZ", "JUGADA_MAS", "VENTIK_MIN", "VENTIK_MAX", "ANUTIK_VEN"};

} // namespace

ParamRows getpaq_shown(App& app, const QString& cod_ven)
{
    return getpaq(app, cod_ven, [](db::Reader& r, const ParamRows& p) {
        QMap<QString, QString> last;
        for (const auto& [name, value] : p.rows)
            last[name] = value;
        for (const char* key : kShown) {
            const QString value = trim_blanks(last.value(QLatin1String(key)));
            if (value.size() > kValueSize)
                return r.refuse(QStringLiteral("parameter %1 longer than it goes back in: %2")
                                    .arg(QLatin1String(key), value.left(40)));
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
