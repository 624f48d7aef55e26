#include "discovery.h"
#include "core/login/deploy.h"
#include "core/shared/justify.h"
#include "platform/http.h"

#include <QStringList>

bool ip_valid(const QString& text)
{
    const QStringList parts = text.split('.');
    if (parts.size() != 4)
        return false;
    for (const QString& p : parts) {
        if (p.isEmpty() || p.size() > 3)
            return false;
        for (const QChar c : p)
            if (c < '0' || c > '9')
                return false;
        const int n = p.toInt();
        if (n < 1 || n > 255)
            return false;
    }
    return true;
}

bool port_valid(const QString& text)
{
    return !text.isEmpty() && text.size() <= 5;
}

ProxyEntry proxy_entry(const QString& reply, const QString& key)
{
    const auto at = reply.indexOf(key);
    if (at < 0)
        return {};
    const auto eq = reply.indexOf('=', at);
    const auto end = reply.indexOf(';', at);
    if (eq < 0 || end < 0 || end < eq + 2)
        return {};
    const QString entry = trim_blanks(reply.mid(eq + 1, end - eq - 1));
    if (!entry.contains(','))
        return {entry, QString::fromLatin1(deploy::proxy_port)};
    const QStringList parts = entry.split(',');
    return {parts.value(0), parts.value(1)};
}

QString discovery_reply(plat::Http& http)
{
    QString reply;
    for (const char* host : deploy::discovery_hosts) {
        const plat::HttpReply r = http.get(QStringLiteral("https://%1/getipx").arg(QLatin1String(host)));
        if (r.ok && r.status == 200)
            reply = QString::fromUtf8(r.body);
        if (!reply.isEmpty())
            break;
    }
    return reply;
}
