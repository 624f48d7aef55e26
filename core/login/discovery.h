#pragma once
// Finding the database server: the address checks and the discovery service's reply.
#include <QString>

namespace plat {
class Http;
}

// True when text is four "."-separated whole numbers from 1 to 255 each.
bool ip_valid(const QString& text);
// True when text has 1 to 5 characters.
bool port_valid(const QString& text);

// A host and port named by a discovery reply; both empty when the entry is missing.
struct ProxyEntry {
    QString host;
    QString port;
};

// Reads the entry key ("proxy0=" or "proxy1=") of a discovery reply: "key host;" or
// "key host,port;" (a host alone gets the port 11433). Keys are case-sensitive.
ProxyEntry proxy_entry(const QString& reply, const QString& key);

// Asks the discovery hosts in turn; the first non-empty body of a 200 answer is the reply
// ("" when none answered so).
QString discovery_reply(plat::Http& http);
