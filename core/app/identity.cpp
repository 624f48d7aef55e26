#include "rule.h"
#include "core/shared/justify.h"

#include <QRegularExpression>
#include <cstdlib>

QString hdd_serial(plat::System& sys)
{
    bool ok = false;
    quint32 serial = sys.volume_serial(&ok);
    if (!ok)
        serial = 0;
    // Read as a signed 32-bit number; the absolute value is taken in 64 bits so that
    // -2147483648 gives a full identity too.
    const qint64 value = std::llabs(qint64(qint32(serial)));
    return pad_left(QString::number(value), 10, QStringLiteral("0"));
}

QString new_guid(plat::System& sys)
{
    QString g = sys.new_guid();
    g.remove(QRegularExpression(QStringLiteral("[{}\\-]")));
    return g.left(24).toLower();
}
