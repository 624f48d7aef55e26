#include "procs_params.h"

bool actpaq(App& app, const QString& cod_ven, const QString& key, const QString& value)
{
    return app.proc(QStringLiteral("actpaq"))
        .in(QStringLiteral("x1"), db::adVarChar, 3, cod_ven)
        .in(QStringLiteral("x2"), db::adVarChar, 10, key)
        .in(QStringLiteral("x3"), db::adVarChar, 50, value)
        .exec();
}
